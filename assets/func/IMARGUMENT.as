// IMARGUMENT(number): the angle of a complex number in radians; #DIV/0! for 0.
#include "shared/sheet/complex.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.IMARGUMENT = function (v) {
    var z = kvComplexArg(v);
    if (z instanceof kvErrC) {
        return z;
    }
    if (z.re == 0 && z.im == 0) {
        return kvError("#DIV/0!");
    }
    return Math.atan2(z.im, z.re);
};

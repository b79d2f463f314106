// IMLN(number): the natural logarithm of a complex number; #NUM! for 0.
#include "shared/sheet/complex.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.IMLN = function (v) {
    var z = kvComplexArg(v);
    if (z instanceof kvErrC) {
        return z;
    }
    var r = Math.sqrt(z.re * z.re + z.im * z.im);
    var t = Math.atan2(z.im, z.re);
    if (r == 0) {
        return kvError("#NUM!");
    }
    return kvComplexText(Math.log(r), t, z.unit);
};

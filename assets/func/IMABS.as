// IMABS(number): the modulus of a complex number.
#include "shared/sheet/complex.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.IMABS = function (v) {
    var z = kvComplexArg(v);
    if (z instanceof kvErrC) {
        return z;
    }
    return Math.sqrt(z.re * z.re + z.im * z.im);
};

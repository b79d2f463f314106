// IMCONJUGATE(number): the complex conjugate.
#include "shared/sheet/complex.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.IMCONJUGATE = function (v) {
    var z = kvComplexArg(v);
    if (z instanceof kvErrC) {
        return z;
    }
    return kvComplexText(z.re, -z.im, z.unit);
};

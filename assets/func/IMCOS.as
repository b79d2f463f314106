// IMCOS(number): the cosine of a complex number.
#include "shared/sheet/complex.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.IMCOS = function (v) {
    var z = kvComplexArg(v);
    if (z instanceof kvErrC) {
        return z;
    }
    return kvComplexText(Math.cos(z.re) * kvCosh(z.im), -Math.sin(z.re) * kvSinh(z.im), z.unit);
};

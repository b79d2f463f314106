// IMSIN(number): the sine of a complex number.
#include "shared/sheet/complex.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.IMSIN = function (v) {
    var z = kvComplexArg(v);
    if (z instanceof kvErrC) {
        return z;
    }
    return kvComplexText(Math.sin(z.re) * kvCosh(z.im), Math.cos(z.re) * kvSinh(z.im), z.unit);
};

// IMEXP(number): e to a complex power.
#include "shared/sheet/complex.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.IMEXP = function (v) {
    var z = kvComplexArg(v);
    if (z instanceof kvErrC) {
        return z;
    }
    var m = Math.exp(z.re);
    return kvComplexText(m * Math.cos(z.im), m * Math.sin(z.im), z.unit);
};

// IMLOG10(number): the common logarithm of a complex number; #NUM! for 0.
#include "shared/sheet/complex.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.IMLOG10 = function (v) {
    var z = kvComplexArg(v);
    if (z instanceof kvErrC) {
        return z;
    }
    var r = Math.sqrt(z.re * z.re + z.im * z.im);
    if (r == 0) {
        return kvError("#NUM!");
    }
    return kvComplexText(Math.log(r) / Math.LN10, Math.atan2(z.im, z.re) / Math.LN10, z.unit);
};

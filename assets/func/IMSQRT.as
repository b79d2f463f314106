// IMSQRT(number): the principal square root of a complex number.
#include "shared/sheet/complex.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.IMSQRT = function (v) {
    var z = kvComplexArg(v);
    if (z instanceof kvErrC) {
        return z;
    }
    // from the modulus, without the angle: a negative real number's root is imaginary exactly
    var r = Math.sqrt(z.re * z.re + z.im * z.im);
    var re = Math.sqrt((r + z.re) / 2);
    var im = Math.sqrt((r - z.re) / 2);
    return kvComplexText(re, z.im < 0 ? -im : im, z.unit);
};

// IMPOWER(number, power): a complex number to a real power, by its polar form.
#include "shared/sheet/complex.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.IMPOWER = function (v, p) {
    var z = kvComplexArg(v);
    if (z instanceof kvErrC) {
        return z;
    }
    var a = kvNumArgs([p], [null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var n = a[0];
    var r = Math.sqrt(z.re * z.re + z.im * z.im);
    var t = Math.atan2(z.im, z.re);
    if (r == 0) {
        return n > 0 ? "0" : kvError("#NUM!");
    }
    var m = Math.pow(r, n);
    return kvComplexText(m * Math.cos(n * t), m * Math.sin(n * t), z.unit);
};

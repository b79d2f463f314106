// CONFIDENCE.T(alpha, standard deviation, size): half the width of the confidence interval of
// a mean, by the t distribution.
#include "shared/sheet/dist.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.CONFIDENCE_T = function () {
    var a = kvDistArgs(arguments, 3);
    if (a instanceof kvErrC) {
        return a;
    }
    var alpha = a[0];
    var sd = a[1];
    var n = kvTrunc(a[2]);
    if (alpha <= 0 || alpha >= 1 || sd <= 0 || n < 1) {
        return kvError("#NUM!");
    }
    if (n == 1) {
        return kvError("#DIV/0!");
    }
    var t = kvTInv2(alpha, n - 1);
    return t instanceof kvErrC ? t : t * sd / Math.sqrt(n);
};

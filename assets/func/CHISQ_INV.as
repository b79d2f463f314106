// CHISQ.INV(probability, degrees of freedom): the inverse of the chi-squared distribution.
#include "shared/sheet/dist.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.CHISQ_INV = function () {
    var a = kvDistArgs(arguments, 2);
    if (a instanceof kvErrC) {
        return a;
    }
    var p = a[0];
    var k = kvTrunc(a[1]);
    if (p < 0 || p > 1 || k < 1 || k > 1e10 || p == 1) {
        return kvError("#NUM!");
    }
    if (p == 0) {
        return 0;
    }
    return kvSolveRising(function (t) {
        return kvGammaP(k / 2, t / 2);
    }, p, 0, Math.max(1, k), true);
};

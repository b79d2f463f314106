// GAMMA.INV(probability, alpha, beta): the inverse of the cumulative gamma distribution.
#include "shared/sheet/dist.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.GAMMA_INV = function () {
    var a = kvDistArgs(arguments, 3);
    if (a instanceof kvErrC) {
        return a;
    }
    var p = a[0];
    var k = a[1];
    var s = a[2];
    if (p < 0 || p >= 1 || k <= 0 || s <= 0) {
        return kvError("#NUM!");
    }
    if (p == 0) {
        return 0;
    }
    var x = kvSolveRising(function (t) {
        return kvGammaP(k, t);
    }, p, 0, Math.max(1, k), true);
    return x instanceof kvErrC ? x : x * s;
};

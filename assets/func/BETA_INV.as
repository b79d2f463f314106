// BETA.INV(probability, alpha, beta, [A], [B]): the inverse of the cumulative beta distribution.
#include "shared/sheet/dist.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.BETA_INV = function () {
    var a = kvDistArgs(arguments, 3);
    if (a instanceof kvErrC) {
        return a;
    }
    var bounds = kvNumArgs([arguments[3], arguments[4]], [0, 1]);
    if (bounds instanceof kvErrC) {
        return bounds;
    }
    var p = a[0];
    var al = a[1];
    var be = a[2];
    if (p <= 0 || p > 1 || al <= 0 || be <= 0 || bounds[0] >= bounds[1]) {
        return kvError("#NUM!");
    }
    if (p == 1) {
        return bounds[1];
    }
    var y = kvSolveRising(function (t) {
        return kvBetaI(t, al, be);
    }, p, 0, 1, false);
    return y instanceof kvErrC ? y : bounds[0] + y * (bounds[1] - bounds[0]);
};

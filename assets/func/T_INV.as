// T.INV(probability, degrees of freedom): the inverse of the t distribution.
#include "shared/sheet/dist.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.T_INV = function () {
    var a = kvDistArgs(arguments, 2);
    if (a instanceof kvErrC) {
        return a;
    }
    var p = a[0];
    var n = a[1];
    if (p <= 0 || p >= 1 || n < 1) {
        return kvError("#NUM!");
    }
    var q = p;
    if (q == 0.5) {
        return 0;
    }
    var x = kvSolveRising(function (t) {
        return kvTcdf(q < 0.5 ? -t : t, n) * (q < 0.5 ? -1 : 1);
    }, q < 0.5 ? -q : q, 0, 1, true);
    return x instanceof kvErrC || q > 0.5 ? x : -x;
};

// FINV(probability, degrees of freedom 1, degrees of freedom 2): the inverse of the right tail of the F distribution.
#include "shared/sheet/dist.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.FINV = function () {
    var a = kvDistArgs(arguments, 3);
    if (a instanceof kvErrC) {
        return a;
    }
    var p = a[0];
    var m = kvTrunc(a[1]);
    var n = kvTrunc(a[2]);
    if (p < 0 || p > 1 || m < 1 || n < 1 || p == 0) {
        return kvError("#NUM!");
    }
    if (p == 1) {
        return 0;
    }
    return kvSolveRising(function (t) {
        return kvFcdf(t, m, n);
    }, 1 - p, 0, 1, true);
};

// TDIST(x, degrees of freedom, tails): one or both tails of the t distribution beyond x >= 0.
#include "shared/sheet/dist.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.TDIST = function () {
    var a = kvDistArgs(arguments, 3);
    if (a instanceof kvErrC) {
        return a;
    }
    var t = a[0];
    var n = kvTrunc(a[1]);
    var tails = kvTrunc(a[2]);
    if (t < 0 || n < 1 || (tails != 1 && tails != 2)) {
        return kvError("#NUM!");
    }
    return kvBetaI(n / (n + t * t), n / 2, 0.5) * (tails == 1 ? 0.5 : 1);
};

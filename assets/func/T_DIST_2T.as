// T.DIST.2T(x, degrees of freedom): both tails of the t distribution beyond x >= 0.
#include "shared/sheet/dist.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.T_DIST_2T = function () {
    var a = kvDistArgs(arguments, 2);
    if (a instanceof kvErrC) {
        return a;
    }
    var t = a[0];
    var n = a[1];
    if (t < 0 || n < 1) {
        return kvError("#NUM!");
    }
    return kvBetaI(n / (n + t * t), n / 2, 0.5);
};

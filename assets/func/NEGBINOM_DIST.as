// NEGBINOM.DIST(failures, successes, probability, cumulative): the probability of that many
// failures before the given number of successes.
#include "shared/sheet/dist.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.NEGBINOM_DIST = function () {
    var a = kvDistArgs(arguments, 3);
    if (a instanceof kvErrC) {
        return a;
    }
    var cumulative = kvB(arguments[3]);
    if (cumulative instanceof kvErrC) {
        return cumulative;
    }
    var f = kvTrunc(a[0]);
    var s = kvTrunc(a[1]);
    var p = a[2];
    if (f < 0 || s < 1 || p < 0 || p > 1) {
        return kvError("#NUM!");
    }
    if (cumulative) {
        return kvBetaI(p, s, f + 1);
    }
    if (p == 0 || p == 1) {
        return p == 1 && f == 0 ? 1 : 0;
    }
    return Math.exp(kvGammaLn(f + s) - kvGammaLn(f + 1) - kvGammaLn(s) + s * Math.log(p) + f * Math.log(1 - p));
};

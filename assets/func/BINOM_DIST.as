// BINOM.DIST(successes, trials, probability, cumulative): the binomial distribution.
#include "shared/sheet/dist.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.BINOM_DIST = function () {
    var a = kvDistArgs(arguments, 3);
    if (a instanceof kvErrC) {
        return a;
    }
    var cumulative = kvB(arguments[3]);
    if (cumulative instanceof kvErrC) {
        return cumulative;
    }
    var k = kvTrunc(a[0]);
    var n = kvTrunc(a[1]);
    var p = a[2];
    if (k < 0 || k > n || p < 0 || p > 1) {
        return kvError("#NUM!");
    }
    if (!cumulative) {
        return kvBinomTerm(k, n, p);
    }
    var sum = 0;
    for (var i = 0; i <= k; i++) {
        sum += kvBinomTerm(i, n, p);
    }
    return Math.min(1, sum);
};

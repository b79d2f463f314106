// HYPGEOM.DIST(sample successes, sample size, population successes, population size,
// cumulative): the hypergeometric distribution.
#include "shared/sheet/dist.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
// ln of n choose k.
_global.kvLnChoose = function (n, k) {
    return kvGammaLn(n + 1) - kvGammaLn(k + 1) - kvGammaLn(n - k + 1);
};
kvLib.HYPGEOM_DIST = function () {
    var a = kvDistArgs(arguments, 4);
    if (a instanceof kvErrC) {
        return a;
    }
    var cumulative = kvB(arguments[4]);
    if (cumulative instanceof kvErrC) {
        return cumulative;
    }
    var k = kvTrunc(a[0]);
    var n = kvTrunc(a[1]);
    var hits = kvTrunc(a[2]);
    var size = kvTrunc(a[3]);
    if (k < 0 || n <= 0 || hits <= 0 || size <= 0 || n > size || hits > size || k > n || k > hits || n - k > size - hits) {
        return kvError("#NUM!");
    }
    var low = Math.max(0, n - (size - hits));
    var total = 0;
    var whole = kvLnChoose(size, n);
    for (var i = cumulative ? low : k; i <= k; i++) {
        total += Math.exp(kvLnChoose(hits, i) + kvLnChoose(size - hits, n - i) - whole);
    }
    return total;
};

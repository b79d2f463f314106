// CRITBINOM(trials, probability, alpha): the smallest number of successes whose cumulative binomial probability reaches alpha.
#include "shared/sheet/dist.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.CRITBINOM = function () {
    var a = kvDistArgs(arguments, 3);
    if (a instanceof kvErrC) {
        return a;
    }
    var n = kvTrunc(a[0]);
    var p = a[1];
    var alpha = a[2];
    if (n < 0 || p < 0 || p > 1 || alpha <= 0 || alpha >= 1) {
        return kvError("#NUM!");
    }
    // the smallest count whose cumulative probability reaches alpha
    var sum = 0;
    for (var k = 0; k < n; k++) {
        sum += kvBinomTerm(k, n, p);
        if (sum >= alpha * (1 - 1e-15)) {
            return k;
        }
    }
    return n;
};

// POISSON.DIST(x, mean, cumulative): the Poisson distribution.
#include "shared/sheet/dist.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.POISSON_DIST = function () {
    var a = kvDistArgs(arguments, 2);
    if (a instanceof kvErrC) {
        return a;
    }
    var cumulative = kvB(arguments[2]);
    if (cumulative instanceof kvErrC) {
        return cumulative;
    }
    var k = kvTrunc(a[0]);
    var m = a[1];
    if (k < 0 || m < 0) {
        return kvError("#NUM!");
    }
    if (m == 0) {
        return cumulative || k == 0 ? 1 : 0;
    }
    if (!cumulative) {
        return Math.exp(k * Math.log(m) - m - kvGammaLn(k + 1));
    }
    return 1 - kvGammaP(k + 1, m);
};

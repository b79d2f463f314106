// CHISQ.DIST(x, degrees of freedom, cumulative): the chi-squared distribution.
#include "shared/sheet/dist.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.CHISQ_DIST = function () {
    var a = kvDistArgs(arguments, 2);
    if (a instanceof kvErrC) {
        return a;
    }
    var cumulative = kvB(arguments[2]);
    if (cumulative instanceof kvErrC) {
        return cumulative;
    }
    var x = a[0];
    var k = kvTrunc(a[1]);
    if (x < 0 || k < 1 || k > 1e10) {
        return kvError("#NUM!");
    }
    if (cumulative) {
        return kvGammaP(k / 2, x / 2);
    }
    if (x == 0) {
        return k == 2 ? 0.5 : (k == 1 ? kvError("#NUM!") : 0);
    }
    return kvFin(Math.exp((k / 2 - 1) * Math.log(x) - x / 2 - (k / 2) * Math.LN2 - kvGammaLn(k / 2)));
};

// GAMMADIST(x, alpha, beta, cumulative): the gamma distribution.
#include "shared/sheet/dist.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.GAMMADIST = function () {
    var a = kvDistArgs(arguments, 3);
    if (a instanceof kvErrC) {
        return a;
    }
    var cumulative = kvB(arguments[3]);
    if (cumulative instanceof kvErrC) {
        return cumulative;
    }
    var x = a[0];
    var k = a[1];
    var s = a[2];
    if (x < 0 || k <= 0 || s <= 0) {
        return kvError("#NUM!");
    }
    if (cumulative) {
        return kvGammaP(k, x / s);
    }
    if (x == 0) {
        return k < 1 ? kvError("#NUM!") : (k == 1 ? 1 / s : 0);
    }
    return kvFin(Math.exp((k - 1) * Math.log(x) - x / s - k * Math.log(s) - kvGammaLn(k)));
};

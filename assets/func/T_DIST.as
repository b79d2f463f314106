// T.DIST(x, degrees of freedom, cumulative): the Student t distribution.
#include "shared/sheet/dist.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.T_DIST = function () {
    var a = kvDistArgs(arguments, 2);
    if (a instanceof kvErrC) {
        return a;
    }
    var cumulative = kvB(arguments[2]);
    if (cumulative instanceof kvErrC) {
        return cumulative;
    }
    var t = a[0];
    var n = a[1];
    if (n < 1) {
        return kvError("#NUM!");
    }
    if (cumulative) {
        return kvTcdf(t, n);
    }
    return kvFin(Math.exp(kvGammaLn((n + 1) / 2) - kvGammaLn(n / 2) - (n + 1) / 2 * Math.log(1 + t * t / n)) / Math.sqrt(n * Math.PI));
};

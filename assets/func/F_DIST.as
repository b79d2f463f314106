// F.DIST(x, degrees of freedom 1, degrees of freedom 2, cumulative): the F distribution.
#include "shared/sheet/dist.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.F_DIST = function () {
    var a = kvDistArgs(arguments, 3);
    if (a instanceof kvErrC) {
        return a;
    }
    var cumulative = kvB(arguments[3]);
    if (cumulative instanceof kvErrC) {
        return cumulative;
    }
    var x = a[0];
    var m = kvTrunc(a[1]);
    var n = kvTrunc(a[2]);
    if (x < 0 || m < 1 || n < 1) {
        return kvError("#NUM!");
    }
    if (cumulative) {
        return kvFcdf(x, m, n);
    }
    if (x == 0) {
        return m == 2 ? 1 : (m < 2 ? kvError("#NUM!") : 0);
    }
    var ln = 0.5 * (m * Math.log(m * x) + n * Math.log(n) - (m + n) * Math.log(m * x + n)) - Math.log(x) -
        (kvGammaLn(m / 2) + kvGammaLn(n / 2) - kvGammaLn((m + n) / 2));
    return kvFin(Math.exp(ln));
};

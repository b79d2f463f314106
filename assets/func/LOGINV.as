// LOGINV(probability, mean, standard deviation): the inverse of the lognormal distribution.
#include "shared/sheet/dist.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.LOGINV = function () {
    var a = kvDistArgs(arguments, 3);
    if (a instanceof kvErrC) {
        return a;
    }
    var p = a[0];
    if (p <= 0 || p >= 1 || a[2] <= 0) {
        return kvError("#NUM!");
    }
    return Math.exp(a[1] + a[2] * kvPhiInv(p));
};

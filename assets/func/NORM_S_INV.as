// NORM.S.INV(probability): the inverse of the standard normal distribution.
#include "shared/sheet/dist.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.NORM_S_INV = function () {
    var a = kvDistArgs(arguments, 1);
    if (a instanceof kvErrC) {
        return a;
    }
    var p = a[0];
    return p <= 0 || p >= 1 ? kvError("#NUM!") : kvPhiInv(p);
};

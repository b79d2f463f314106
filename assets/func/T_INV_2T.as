// T.INV.2T(probability, degrees of freedom): the x whose two tails together are probability.
#include "shared/sheet/dist.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.T_INV_2T = function () {
    var a = kvDistArgs(arguments, 2);
    if (a instanceof kvErrC) {
        return a;
    }
    var p = a[0];
    var n = a[1];
    if (p <= 0 || p > 1 || n < 1) {
        return kvError("#NUM!");
    }
    return kvTInv2(p, n);
};

// CHISQ.DIST.RT(x, degrees of freedom): the right tail of the chi-squared distribution.
#include "shared/sheet/dist.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.CHISQ_DIST_RT = function () {
    var a = kvDistArgs(arguments, 2);
    if (a instanceof kvErrC) {
        return a;
    }
    var x = a[0];
    var k = kvTrunc(a[1]);
    if (x < 0 || k < 1 || k > 1e10) {
        return kvError("#NUM!");
    }
    return 1 - kvGammaP(k / 2, x / 2);
};

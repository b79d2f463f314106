// T.DIST.RT(x, degrees of freedom): the right tail of the t distribution.
#include "shared/sheet/dist.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.T_DIST_RT = function () {
    var a = kvDistArgs(arguments, 2);
    if (a instanceof kvErrC) {
        return a;
    }
    var n = a[1];
    if (n < 1) {
        return kvError("#NUM!");
    }
    return 1 - kvTcdf(a[0], n);
};

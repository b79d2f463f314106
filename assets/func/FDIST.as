// FDIST(x, degrees of freedom 1, degrees of freedom 2): the right tail of the F distribution.
#include "shared/sheet/dist.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.FDIST = function () {
    var a = kvDistArgs(arguments, 3);
    if (a instanceof kvErrC) {
        return a;
    }
    var x = a[0];
    var m = kvTrunc(a[1]);
    var n = kvTrunc(a[2]);
    if (x < 0 || m < 1 || n < 1) {
        return kvError("#NUM!");
    }
    return kvBetaI(n / (m * x + n), n / 2, m / 2);
};

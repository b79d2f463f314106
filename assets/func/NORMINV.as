// NORMINV(probability, mean, standard deviation)
#include "shared/sheet/normal.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.NORMINV = function () {
    var a = kvNumArgs(arguments, [null, null, null]);
    if (a instanceof kvErrC) {
        return a;
    }
    if (a[0] <= 0 || a[0] >= 1 || a[2] <= 0) {
        return kvError("#NUM!");
    }
    return a[1] + a[2] * kvPhiInv(a[0]);
};

// IPMT(rate, period, periods, present value, [future value], [type]): the interest part.
#include "shared/sheet/finance.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.IPMT = function () {
    var a = kvNumArgs(arguments, [null, null, null, null, 0, 0]);
    if (a instanceof kvErrC) {
        return a;
    }
    if (a[1] < 1 || a[1] > a[2]) {
        return kvError("#NUM!");
    }
    return kvFin(kvIPMT(a[0], a[1], a[2], a[3], a[4], a[5] != 0 ? 1 : 0));
};

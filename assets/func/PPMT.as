// PPMT(rate, period, periods, present value, [future value], [type]): the repayment part.
#include "shared/sheet/finance.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.PPMT = function () {
    var a = kvNumArgs(arguments, [null, null, null, null, 0, 0]);
    if (a instanceof kvErrC) {
        return a;
    }
    if (a[1] < 1 || a[1] > a[2]) {
        return kvError("#NUM!");
    }
    var t = a[5] != 0 ? 1 : 0;
    return kvFin(kvPMT(a[0], a[2], a[3], a[4], t) - kvIPMT(a[0], a[1], a[2], a[3], a[4], t));
};

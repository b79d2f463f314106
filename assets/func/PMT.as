// PMT(rate, periods, present value, [future value], [type])
#include "shared/sheet/finance.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.PMT = function () {
    var a = kvNumArgs(arguments, [null, null, null, 0, 0]);
    if (a instanceof kvErrC) {
        return a;
    }
    if (a[1] == 0) {
        return kvError("#NUM!");
    }
    return kvFin(kvPMT(a[0], a[1], a[2], a[3], a[4] != 0 ? 1 : 0));
};

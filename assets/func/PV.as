// PV(rate, periods, payment, [future value], [type])
#include "shared/sheet/finance.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.PV = function () {
    var a = kvNumArgs(arguments, [null, null, null, 0, 0]);
    if (a instanceof kvErrC) {
        return a;
    }
    var r = a[0];
    var n = a[1];
    var pmt = a[2];
    var fv = a[3];
    var t = a[4] != 0 ? 1 : 0;
    var g = kvGrowth(r, n);
    return kvFin(-(fv + pmt * (1 + r * t) * g.a) / g.f);
};

// XNPV(rate, values, dates)
#include "shared/sheet/finance.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.XNPV = function (rate, g, dates) {
    var a = kvNumArgs([rate], [null]);
    if (a instanceof kvErrC) {
        return a;
    }
    rate = a[0];
    var p = kvDated(g, dates);
    if (p instanceof kvErrC) {
        return p;
    }
    if (rate <= -1) {
        return kvError("#NUM!");
    }
    var s = 0;
    for (var i = 0; i < p.values.length; i++) {
        s += p.values[i] / Math.pow(1 + rate, p.times[i]);
    }
    return kvFin(s);
};

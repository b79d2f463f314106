// NPER(rate, payment, present value, [future value], [type])
#include "shared/sheet/finance.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.NPER = function () {
    var a = kvNumArgs(arguments, [null, null, null, 0, 0]);
    if (a instanceof kvErrC) {
        return a;
    }
    var r = a[0];
    var pmt = a[1];
    var pv = a[2];
    var fv = a[3];
    var t = a[4] != 0 ? 1 : 0;
    if (r == 0) {
        if (pmt == 0) {
            return kvError("#NUM!");
        }
        return -(pv + fv) / pmt;
    }
    // n = ln(num / den) / ln(1 + r), with num / den - 1 = -r (fv + pv) / den formed without
    // the subtraction, which would lose the digits of a rate near 0
    var den = pv * r + pmt * (1 + r * t);
    var x = den == 0 ? 0 : -r * (fv + pv) / den;
    if (den == 0 || 1 + x <= 0 || r <= -1) {
        return kvError("#NUM!");
    }
    return kvFin(kvLog1p(x) / kvLog1p(r));
};

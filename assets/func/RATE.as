// RATE(periods, payment, present value, [future value], [type], [guess]): by Newton's method
// from the guess; #NUM! without convergence.
#include "shared/sheet/finance.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.RATE = function () {
    var a = kvNumArgs(arguments, [null, null, null, 0, 0, 0.1]);
    if (a instanceof kvErrC) {
        return a;
    }
    var n = a[0];
    var pmt = a[1];
    var pv = a[2];
    var fv = a[3];
    var t = a[4] != 0 ? 1 : 0;
    var r = a[5];
    if (n <= 0) {
        return kvError("#NUM!");
    }
    for (var i = 0; i < 100; i++) {
        var b = kvBalance(r, n, pmt, pv, fv, t);
        var f = b.f;
        var df = b.df;
        if (df == 0 || !isFinite(f)) {
            return kvError("#NUM!");
        }
        var step = f / df;
        r -= step;
        if (r <= -1 || !isFinite(r)) {
            return kvError("#NUM!");
        }
        // relative to the rate, so a rate near 0 keeps its digits too
        if (Math.abs(step) <= 1e-12 * Math.abs(r) || Math.abs(step) < 1e-300) {
            return r;
        }
    }
    return kvError("#NUM!");
};

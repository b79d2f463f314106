// IRR(values, [guess]): the rate at which the values' present value is 0, by Newton's method
// from the guess; #NUM! without both signs or without convergence in 20 steps.
#include "shared/sheet/finance.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.IRR = function (g, guess) {
    var xs = kvNums([g], 0, false);
    if (xs instanceof kvErrC) {
        return xs;
    }
    var a = kvNumArgs([guess], [0.1]);
    if (a instanceof kvErrC) {
        return a;
    }
    var pos = false;
    var neg = false;
    for (var i = 0; i < xs.length; i++) {
        pos = pos || xs[i] > 0;
        neg = neg || xs[i] < 0;
    }
    if (!pos || !neg) {
        return kvError("#NUM!");
    }
    return kvPeriodRate(xs, a[0]);
};

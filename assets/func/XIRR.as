// XIRR(values, dates, [guess]): the rate for values at the given dates, years of 365 days.
#include "shared/sheet/finance.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.XIRR = function (g, dates, guess) {
    var p = kvDated(g, dates);
    if (p instanceof kvErrC) {
        return p;
    }
    var a = kvNumArgs([guess], [0.1]);
    if (a instanceof kvErrC) {
        return a;
    }
    guess = a[0];
    return kvSolveRate(p.values, p.times, guess);
};

// IRR(values, [guess]): the rate at which the values' present value is 0, by Newton's method;
// #NUM! without both signs or without convergence.
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
    guess = a[0];
    var times = new Array();
    for (var i = 0; i < xs.length; i++) {
        times.push(i);
    }
    return kvSolveRate(xs, times, guess);
};

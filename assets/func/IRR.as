// IRR(values, [guess]): the rate at which the values' present value is 0, by Newton's method;
// #NUM! without both signs or without convergence.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.IRR = function (g, guess) {
    var xs = kvNums([g], 0, false);
    if (xs instanceof kvErrC) {
        return xs;
    }
    guess = guess === undefined ? 0.1 : kvN(guess);
    if (typeof guess != "number") {
        return guess;
    }
    var times = new Array();
    for (var i = 0; i < xs.length; i++) {
        times.push(i);
    }
    return kvSolveRate(xs, times, guess);
};

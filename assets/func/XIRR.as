// XIRR(values, dates, [guess]): the rate for values at the given dates, years of 365 days.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.XIRR = function (g, dates, guess) {
    var p = kvDated(g, dates);
    if (p instanceof kvErrC) {
        return p;
    }
    guess = guess === undefined ? 0.1 : kvN(guess);
    if (typeof guess != "number") {
        return guess;
    }
    return kvSolveRate(p.values, p.times, guess);
};

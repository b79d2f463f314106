// AVERAGE(values...): the mean of the numbers; #DIV/0! without any.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.AVERAGE = function () {
    var v = arguments[0];
    if (arguments.length == 1 && v instanceof kvRangeC && kvLib.kvPass != undefined) {
        // the running sums and counts (aggregate.as) add the same numbers in the same order
        var run = kvRunOf(v);
        var n = kvBandRows(v);
        if (n >= run.sums.length) {
            return run.error;
        }
        return run.counts[n] == 0 ? kvError("#DIV/0!") : run.sums[n] / run.counts[n];
    }
    var xs = kvNums(arguments, 0, false);
    if (xs instanceof kvErrC) {
        return xs;
    }
    return xs.length == 0 ? kvError("#DIV/0!") : kvMean(xs);
};

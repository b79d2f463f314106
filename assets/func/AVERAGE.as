// AVERAGE(values...): the mean of the numbers; #DIV/0! without any.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.AVERAGE = function () {
    var v = arguments[0];
    if (arguments.length == 1 && v instanceof kvRangeC && kvLib.kvPass != undefined) {
        // the running sums and counts of its band (aggregate.as); a range holding an error
        // is left to the walk, which meets the first
        var total = kvRangeTotal(v);
        if (total !== undefined) {
            return kvLib.kvTotalCount == 0 ? kvError("#DIV/0!") : total / kvLib.kvTotalCount;
        }
    }
    var xs = kvNums(arguments, 0, false);
    if (xs instanceof kvErrC) {
        return xs;
    }
    return xs.length == 0 ? kvError("#DIV/0!") : kvMean(xs);
};

// Numbers; given directly also logical values and text that reads as a number. Errors are
// not counted and not passed on.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.COUNT = function () {
    var v = arguments[0];
    if (arguments.length == 1 && v instanceof kvRangeC && kvLib.kvPass != undefined) {
        // the counts of the running sums (aggregate.as); a run stopped by an error inside the
        // range leaves the count to the walk, which passes errors by
        var run = kvRunOf(v);
        var n = kvBandRows(v);
        if (n < run.counts.length) {
            return run.counts[n];
        }
    }
    return kvCount(arguments, false);
};

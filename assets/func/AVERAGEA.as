// AVERAGEA(values...): the mean, logical values and text in ranges counted (text as 0).
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.AVERAGEA = function () {
    var xs = kvNums(arguments, 0, true);
    if (xs instanceof kvErrC) {
        return xs;
    }
    return xs.length == 0 ? kvError("#DIV/0!") : kvMean(xs);
};

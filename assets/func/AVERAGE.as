// AVERAGE(values...): the mean of the numbers; #DIV/0! without any.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.AVERAGE = function () {
    var xs = kvNums(arguments, 0, false);
    if (xs instanceof kvErrC) {
        return xs;
    }
    return xs.length == 0 ? kvError("#DIV/0!") : kvMean(xs);
};

// AVEDEV(values...): the mean of the absolute deviations of the numbers from their mean.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.AVEDEV = function () {
    var xs = kvNums(arguments, 0, false);
    if (xs instanceof kvErrC) {
        return xs;
    }
    if (xs.length == 0) {
        return kvError("#NUM!");
    }
    var m = kvMean(xs);
    var s = 0;
    for (var i = 0; i < xs.length; i++) {
        s += Math.abs(xs[i] - m);
    }
    return s / xs.length;
};

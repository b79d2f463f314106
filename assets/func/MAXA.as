// MAXA(values...): the largest value, logical values and text in ranges counted.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.MAXA = function () {
    var xs = kvNums(arguments, 0, true);
    return xs instanceof kvErrC ? xs : kvExtreme(xs, 1);
};

// MAX(values...): the largest number; 0 without any.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.MAX = function () {
    var xs = kvNums(arguments, 0, false);
    return xs instanceof kvErrC ? xs : kvExtreme(xs, 1);
};

// MIN(values...): the smallest number; 0 without any.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.MIN = function () {
    var xs = kvNums(arguments, 0, false);
    return xs instanceof kvErrC ? xs : kvExtreme(xs, -1);
};

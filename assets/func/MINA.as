if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.MINA = function () {
    var xs = kvNums(arguments, 0, true);
    return xs instanceof kvErrC ? xs : kvExtreme(xs, -1);
};

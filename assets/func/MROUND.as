// MROUND(number, multiple): rounded to the nearest multiple.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.MROUND = function () {
    var a = kvNumArgs(arguments, [null, null]);
    if (a instanceof kvErrC) {
        return a;
    }
    if (a[1] == 0) {
        return 0;
    }
    if ((a[0] < 0 && a[1] > 0) || (a[0] > 0 && a[1] < 0)) {
        return kvError("#NUM!");
    }
    return kvRound(a[0] / a[1], 0, 0) * a[1];
};

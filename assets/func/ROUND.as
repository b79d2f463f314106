// Halves away from zero, of the number as written: ROUND(1.005, 2) is 1.01.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ROUND = function () {
    var a = kvNumArgs(arguments, [null, null]);
    if (a instanceof kvErrC) {
        return a;
    }
    return kvRound(a[0], a[1], 0);
};

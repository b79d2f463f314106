// EFFECT(nominal rate, periods a year): the effective annual rate.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.EFFECT = function () {
    var a = kvNumArgs(arguments, [null, null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var p = kvTrunc(a[1]);
    if (a[0] <= 0 || p < 1) {
        return kvError("#NUM!");
    }
    return Math.pow(1 + a[0] / p, p) - 1;
};

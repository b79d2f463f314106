// The remainder takes the divisor's sign: MOD(-1, 3) is 2.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.MOD = function () {
    var a = kvNumArgs(arguments, [null, null]);
    if (a instanceof kvErrC) {
        return a;
    }
    if (a[1] == 0) {
        return kvError("#DIV/0!");
    }
    var q = a[0] / a[1];
    var f = Math.floor(q);
    if (kvR15(q) == f + 1) {
        return 0;
    }
    return a[0] - a[1] * f;
};

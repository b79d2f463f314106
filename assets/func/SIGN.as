// SIGN(number): 1, 0 or -1.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.SIGN = function (v) {
    var a = kvNumArgs([v], [null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var x = a[0];
    return x > 0 ? 1 : (x < 0 ? -1 : 0);
};

// ABS(number): the absolute value.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ABS = function (v) {
    var a = kvNumArgs([v], [null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var x = a[0];
    return Math.abs(x);
};

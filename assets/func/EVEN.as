// Away from zero to an even whole number.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.EVEN = function (v) {
    var a = kvNumArgs([v], [null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var x = a[0];
    var r = Math.ceil(kvR15(Math.abs(x) / 2)) * 2;
    return x < 0 ? -r : r;
};

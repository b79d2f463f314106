// Away from zero to an odd whole number.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ODD = function (v) {
    var a = kvNumArgs([v], [null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var x = a[0];
    var r = Math.ceil(kvR15((Math.abs(x) - 1) / 2)) * 2 + 1;
    if (r < 1) {
        r = 1;
    }
    return x < 0 ? -r : r;
};

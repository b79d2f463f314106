// Away from zero to an even whole number.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.EVEN = function (v) {
    var x = kvN(v);
    if (typeof x != "number") {
        return x;
    }
    var r = Math.ceil(kvR15(Math.abs(x) / 2)) * 2;
    return x < 0 ? -r : r;
};

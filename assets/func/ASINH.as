if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ASINH = function (v) {
    var x = kvN(v);
    if (typeof x != "number") {
        return x;
    }
    var a = Math.abs(x);
    var r = Math.log(a + Math.sqrt(a * a + 1));
    return x < 0 ? -r : r;
};

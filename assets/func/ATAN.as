if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ATAN = function (v) {
    var x = kvN(v);
    return typeof x == "number" ? Math.atan(x) : x;
};

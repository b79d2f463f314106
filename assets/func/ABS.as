if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ABS = function (v) {
    var x = kvN(v);
    return typeof x == "number" ? Math.abs(x) : x;
};

if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.INT = function (v) {
    var x = kvN(v);
    return typeof x == "number" ? Math.floor(x) : x;
};

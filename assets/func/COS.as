if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.COS = function (v) {
    var x = kvN(v);
    return typeof x == "number" ? Math.cos(x) : x;
};

if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.TAN = function (v) {
    var x = kvN(v);
    return typeof x == "number" ? Math.tan(x) : x;
};

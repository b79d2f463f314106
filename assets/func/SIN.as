if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.SIN = function (v) {
    var x = kvN(v);
    return typeof x == "number" ? Math.sin(x) : x;
};

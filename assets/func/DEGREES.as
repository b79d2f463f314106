if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.DEGREES = function (v) {
    var x = kvN(v);
    return typeof x == "number" ? x * 180 / Math.PI : x;
};

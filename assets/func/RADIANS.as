if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.RADIANS = function (v) {
    var x = kvN(v);
    return typeof x == "number" ? x * Math.PI / 180 : x;
};

if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.SIGN = function (v) {
    var x = kvN(v);
    if (typeof x != "number") {
        return x;
    }
    return x > 0 ? 1 : (x < 0 ? -1 : 0);
};

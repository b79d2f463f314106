if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.LOG10 = function (v) {
    var x = kvN(v);
    if (typeof x != "number") {
        return x;
    }
    return x <= 0 ? kvError("#NUM!") : kvLog(x, 10);
};

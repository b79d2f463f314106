if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ACOS = function (v) {
    var x = kvN(v);
    if (typeof x != "number") {
        return x;
    }
    return x < -1 || x > 1 ? kvError("#NUM!") : Math.acos(x);
};

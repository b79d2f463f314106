if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.SINH = function (v) {
    var x = kvN(v);
    if (typeof x != "number") {
        return x;
    }
    return kvFin((Math.exp(x) - Math.exp(-x)) / 2);
};

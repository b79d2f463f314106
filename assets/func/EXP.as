if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.EXP = function (v) {
    var x = kvN(v);
    return typeof x == "number" ? kvFin(Math.exp(x)) : x;
};

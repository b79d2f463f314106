if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.FACT = function (v) {
    var x = kvN(v);
    if (typeof x != "number") {
        return x;
    }
    if (x < 0) {
        return kvError("#NUM!");
    }
    var r = 1;
    for (var i = 2; i <= Math.floor(x); i++) {
        r *= i;
    }
    return kvFin(r);
};

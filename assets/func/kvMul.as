// a * b
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.kvMul = function (a, b) {
    a = kvN(a);
    if (typeof a != "number") {
        return a;
    }
    b = kvN(b);
    if (typeof b != "number") {
        return b;
    }
    return kvFin(a * b);
};

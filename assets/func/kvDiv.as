// a / b
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.kvDiv = function (a, b) {
    a = kvN(a);
    if (typeof a != "number") {
        return a;
    }
    b = kvN(b);
    if (typeof b != "number") {
        return b;
    }
    if (b == 0) {
        return kvError("#DIV/0!");
    }
    return kvFin(a / b);
};

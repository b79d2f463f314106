// a & b
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.kvConcat = function (a, b) {
    // two texts, as nearly every call has them, join without further calls
    if (typeof a == "string" && typeof b == "string") {
        return a + b;
    }
    a = kvS(a);
    if (typeof a != "string") {
        return a;
    }
    b = kvS(b);
    if (typeof b != "string") {
        return b;
    }
    return a + b;
};

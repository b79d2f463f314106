if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ISODD = function (v) {
    var x = kvI(v);
    if (typeof x != "number") {
        return x;
    }
    return x % 2 != 0;
};

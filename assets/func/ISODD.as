// ISODD(number): whether the whole part is odd.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ISODD = function (v) {
    var x = kvNNoLogical(v);
    if (typeof x != "number") {
        return x;
    }
    x = kvTrunc(x);
    return x % 2 != 0;
};

// ISEVEN(number): whether the whole part is even.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ISEVEN = function (v) {
    var x = kvNNoLogical(v);
    if (typeof x != "number") {
        return x;
    }
    x = kvTrunc(x);
    return x % 2 == 0;
};

// ISEVEN(number): whether the whole part is even.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ISEVEN = function (v) {
    var a = kvNumArgs([v], [null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var x = kvTrunc(a[0]);
    return x % 2 == 0;
};

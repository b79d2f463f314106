// ISODD(number): whether the whole part is odd.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ISODD = function (v) {
    var a = kvNumArgs([v], [null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var x = kvTrunc(a[0]);
    return x % 2 != 0;
};

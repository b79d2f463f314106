// COMBIN(n, k): the number of ways to choose k of n.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.COMBIN = function () {
    var a = kvNumArgs(arguments, [null, null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var n = kvTrunc(a[0]);
    var k = kvTrunc(a[1]);
    if (n < 0 || k < 0 || k > n) {
        return kvError("#NUM!");
    }
    if (k > n - k) {
        k = n - k;
    }
    var r = 1;
    for (var i = 1; i <= k; i++) {
        // dividing first near the top of the range keeps a result that fits from overflowing
        r = r > 1e290 ? r / i * (n - k + i) : r * (n - k + i) / i;
    }
    return kvFin(Math.round(r));
};

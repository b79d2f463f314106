// MIRR(values, finance rate, reinvestment rate)
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.MIRR = function (g, fr, rr) {
    var xs = kvNums([g], 0, false);
    if (xs instanceof kvErrC) {
        return xs;
    }
    var a = kvNumArgs([fr, rr], [null, null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var n = xs.length;
    var neg = 0;
    var pos = 0;
    for (var i = 0; i < n; i++) {
        if (xs[i] < 0) {
            neg += xs[i] / Math.pow(1 + a[0], i);
        } else {
            pos += xs[i] * Math.pow(1 + a[1], n - 1 - i);
        }
    }
    if (neg == 0 || pos == 0 || n < 2) {
        return kvError("#DIV/0!");
    }
    return kvFin(Math.pow(-pos / neg, 1 / (n - 1)) - 1);
};

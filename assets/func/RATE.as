// RATE(periods, payment, present value, [future value], [type], [guess]): by Newton's method
// from the guess; #NUM! without convergence.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.RATE = function () {
    var a = kvNumArgs(arguments, [null, null, null, 0, 0, 0.1]);
    if (a instanceof kvErrC) {
        return a;
    }
    var n = a[0];
    var pmt = a[1];
    var pv = a[2];
    var fv = a[3];
    var t = a[4] != 0 ? 1 : 0;
    var r = a[5];
    if (n <= 0) {
        return kvError("#NUM!");
    }
    for (var i = 0; i < 100; i++) {
        var f;
        var df;
        if (Math.abs(r) < 1e-10) {
            f = pv + pmt * n + fv;
            df = pv * n + pmt * (n * (n - 1) / 2 + t * n);
        } else {
            var p = Math.pow(1 + r, n);
            var dp = n * Math.pow(1 + r, n - 1);
            f = pv * p + pmt * (1 + r * t) * (p - 1) / r + fv;
            df = pv * dp + pmt * t * (p - 1) / r + pmt * (1 + r * t) * (dp * r - (p - 1)) / (r * r);
        }
        if (df == 0 || !isFinite(f)) {
            return kvError("#NUM!");
        }
        var step = f / df;
        r -= step;
        if (r <= -1 || !isFinite(r)) {
            return kvError("#NUM!");
        }
        if (Math.abs(step) < 1e-12) {
            return r;
        }
    }
    return kvError("#NUM!");
};

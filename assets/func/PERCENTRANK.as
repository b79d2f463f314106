// PERCENTRANK(array, x, [significance]): the rank of x as a fraction, interpolated between
// the numbers around it and cut (not rounded) to the given digits.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.PERCENTRANK = function (g, x, sig) {
    var xs = kvNums([g], 0, false);
    if (xs instanceof kvErrC) {
        return xs;
    }
    var a = kvNumArgs([x, sig], [null, 3]);
    if (a instanceof kvErrC) {
        return a;
    }
    x = a[0];
    sig = kvTrunc(a[1]);
    if (sig < 1 || xs.length == 0) {
        return kvError("#NUM!");
    }
    var s = kvSorted(xs);
    var n = s.length;
    if (x < s[0] || x > s[n - 1]) {
        return kvError("#N/A");
    }
    if (n == 1) {
        return 1;
    }
    var r;
    var i = 0;
    while (i < n - 1 && s[i + 1] <= x) {
        i++;
    }
    if (s[i] == x) {
        var first = i;
        while (first > 0 && s[first - 1] == x) {
            first--;
        }
        r = first / (n - 1);
    } else {
        r = (i + (x - s[i]) / (s[i + 1] - s[i])) / (n - 1);
    }
    var p = Math.pow(10, sig);
    return Math.floor(kvR15(r * p)) / p;
};

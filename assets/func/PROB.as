// PROB(values, probabilities, lower, [upper]): the probability that a value lies between lower
// and upper (equals lower without upper).
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.PROB = function (xs, ps, lower, upper) {
    var a = upper === undefined ? kvNumArgs([lower], [null]) : kvNumArgs([lower, upper], [null, null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var low = a[0];
    var high = a.length > 1 ? a[1] : low;
    var x = kvFlat(xs);
    var p = kvFlat(ps);
    if (kvRows(xs) != kvRows(ps) || kvCols(xs) != kvCols(ps)) {
        return kvError("#N/A");
    }
    var total = 0;
    var inside = 0;
    for (var i = 0; i < x.length; i++) {
        if (x[i] instanceof kvErrC) {
            return x[i];
        }
        if (p[i] instanceof kvErrC) {
            return p[i];
        }
        if (typeof p[i] != "number" || typeof x[i] != "number") {
            continue;
        }
        if (p[i] < 0 || p[i] > 1) {
            return kvError("#NUM!");
        }
        total += p[i];
        if (x[i] >= low && x[i] <= high) {
            inside += p[i];
        }
    }
    return Math.abs(total - 1) > 1e-7 ? kvError("#NUM!") : inside;
};

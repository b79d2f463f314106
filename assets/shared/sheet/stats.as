// Statistics of paired numbers, quantiles, ranks and the most frequent number.

// Two ranges of paired numbers (CORREL, SLOPE ...): pairs where both are numbers, or an error.
_global.kvPairs = function (ya, xa) {
    var ys = kvFlat(ya);
    var xs = kvFlat(xa);
    if (ys.length != xs.length) {
        return kvError("#N/A");
    }
    var p = new Object();
    p.y = new Array();
    p.x = new Array();
    for (var i = 0; i < ys.length; i++) {
        if (ys[i] instanceof kvErrC) {
            return ys[i];
        }
        if (xs[i] instanceof kvErrC) {
            return xs[i];
        }
        if (typeof ys[i] == "number" && typeof xs[i] == "number") {
            p.y.push(ys[i]);
            p.x.push(xs[i]);
        }
    }
    return p;
};

// Means and sums of squares and products of paired numbers.
_global.kvRegress = function (p) {
    var r = new Object();
    r.mx = kvMean(p.x);
    r.my = kvMean(p.y);
    r.sxx = 0;
    r.syy = 0;
    r.sxy = 0;
    for (var i = 0; i < p.x.length; i++) {
        var dx = p.x[i] - r.mx;
        var dy = p.y[i] - r.my;
        r.sxx += dx * dx;
        r.syy += dy * dy;
        r.sxy += dx * dy;
    }
    return r;
};

// The k-quantile of sorted numbers, interpolated between neighbours.
_global.kvQuantile = function (s, k) {
    var h = (s.length - 1) * k;
    var i = Math.floor(h);
    if (i >= s.length - 1) {
        return s[s.length - 1];
    }
    return s[i] + (h - i) * (s[i + 1] - s[i]);
};

_global.kvPercentile = function (g, k) {
    var xs = kvNums([g], 0, false);
    if (xs instanceof kvErrC) {
        return xs;
    }
    k = kvN(k);
    if (typeof k != "number") {
        return k;
    }
    if (xs.length == 0 || k < 0 || k > 1) {
        return kvError("#NUM!");
    }
    return kvQuantile(kvSorted(xs), k);
};

_global.kvQuartile = function (g, q) {
    q = kvN(q);
    if (typeof q != "number") {
        return q;
    }
    q = Math.floor(q);
    if (q < 0 || q > 4) {
        return kvError("#NUM!");
    }
    return kvPercentile(g, q / 4);
};

// {first, same}: the rank of x among the numbers of g and how many equal it; #N/A when x is
// not among them.
_global.kvRankOf = function (x, g, order) {
    x = kvN(x);
    if (typeof x != "number") {
        return x;
    }
    var xs = kvNums([g], 0, false);
    if (xs instanceof kvErrC) {
        return xs;
    }
    var up = order !== undefined && kvN(order) != 0;
    var r = new Object();
    r.first = 1;
    r.same = 0;
    for (var i = 0; i < xs.length; i++) {
        if (xs[i] == x) {
            r.same++;
        } else if (up ? xs[i] < x : xs[i] > x) {
            r.first++;
        }
    }
    return r.same == 0 ? kvError("#N/A") : r;
};

_global.kvMode = function (args) {
    var xs = kvNums(args, 0, false);
    if (xs instanceof kvErrC) {
        return xs;
    }
    var best = 1;
    var value = kvError("#N/A");
    for (var i = 0; i < xs.length; i++) {
        var n = 0;
        for (var j = i; j < xs.length; j++) {
            if (xs[j] == xs[i]) {
                n++;
            }
        }
        if (n > best) {
            best = n;
            value = xs[i];
        }
    }
    return value;
};

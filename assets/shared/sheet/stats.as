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
    var index = kvRankIndex(g);
    if (index instanceof kvErrC) {
        return index;
    }
    var up = order !== undefined && kvN(order) != 0;
    // Where x stands among the numbers: those below it, and those up to it.
    var at = index.places["n" + x];
    var below;
    var upTo;
    if (at != undefined && at.value === x) {
        below = at.below;
        upTo = at.upTo;
    } else {
        below = kvCountBelow(index.sorted, x, false);
        upTo = kvCountBelow(index.sorted, x, true);
    }
    var r = new Object();
    r.same = upTo - below;
    r.first = up ? below + 1 : index.sorted.length - upTo + 1;
    return r.same == 0 ? kvError("#N/A") : r;
};

// The numbers of a RANK range sorted up (by ifindex.as's kvMergeSort, which the RANK functions
// include), and by the text of each number its place among them, or the range's first error.
// A column ranked row by row asks for the same range once a row: on a range the index is
// kept for the recalculation pass (ifindex.as says why a pass may keep it), so a pass ranks n
// rows in n log n steps.
_global.kvRankIndex = function (g) {
    var kept = typeof g == "object" && g != null && kvLib.kvPass != undefined;
    if (kept && g.kvRankPass === kvLib.kvPass) {
        return g.kvRank;
    }
    var xs = kvNums([g], 0, false);
    var index = xs;
    if (!(xs instanceof kvErrC)) {
        var pairs = new Array();
        for (var i = 0; i < xs.length; i++) {
            pairs.push([xs[i]]);
        }
        pairs = kvMergeSort(pairs);
        index = new Object();
        index.sorted = new Array();
        index.places = new Object();
        var n = pairs.length;
        for (var k = 0; k < n; k++) {
            index.sorted.push(pairs[k][0]);
        }
        for (var j = 0; j < n;) {
            var v = index.sorted[j];
            var end = j + 1;
            while (end < n && index.sorted[end] == v) {
                end++;
            }
            var place = new Object();
            place.value = v;
            place.below = j;
            place.upTo = end;
            // Numbers apart that print alike keep the first; the others are searched for.
            if (index.places["n" + v] == undefined) {
                index.places["n" + v] = place;
            }
            j = end;
        }
    }
    if (kept) {
        g.kvRank = index;
        g.kvRankPass = kvLib.kvPass;
    }
    return index;
};

// How many of the sorted numbers are below x (orEqual: at most x).
_global.kvCountBelow = function (sorted, x, orEqual) {
    var lo = 0;
    var hi = sorted.length;
    while (lo < hi) {
        var mid = (lo + hi) >> 1;
        if (sorted[mid] < x || (orEqual && sorted[mid] == x)) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return lo;
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

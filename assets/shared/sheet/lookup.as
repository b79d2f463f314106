// Exact and approximate search of lookup keys, indexed for one recalculation pass.

// The index of the first key equal to v (text without regard to case, with wildcards when
// wild), -1 when none is.
_global.kvExact = function (v, keys, wild) {
    var t = typeof v;
    var pattern = wild && t == "string" && (v.indexOf("*") >= 0 || v.indexOf("?") >= 0 || v.indexOf("~") >= 0);
    var u = t == "string" ? v.toUpperCase() : v;
    for (var i = 0; i < keys.length; i++) {
        var x = keys[i];
        if (typeof x != t) {
            continue;
        }
        if (pattern) {
            if (kvWild(u, x.toUpperCase())) {
                return i;
            }
        } else if (kvCmp(x, v) == 0) {
            return i;
        }
    }
    return -1;
};

// Approximate match in sorted keys: the last key not above v (order 1, ascending keys) or not
// below v (order -1, descending keys), among keys of v's kind; -1 when none is.
_global.kvApprox = function (v, keys, order) {
    var best = -1;
    var rank = kvRank(v);
    for (var i = 0; i < keys.length; i++) {
        var x = keys[i];
        if (x === undefined || x instanceof kvErrC || kvRank(x) != rank) {
            continue;
        }
        var c = kvCmp(x, v) * order;
        if (c <= 0) {
            best = i;
            if (c == 0 && order < 0) {
                return i;
            }
        } else {
            break;
        }
    }
    return best;
};

// The keys a lookup searches in a grid (its first column going down, else its first row).
// On a range they are kept for the recalculation pass, with the first index of every key once
// an exact lookup has asked for it (ifindex.as says why a pass may keep them).
_global.kvLookupKeys = function (g, down) {
    var kept = g instanceof kvRangeC && kvLib.kvPass != undefined;
    var slot = down ? "kvDownKeys" : "kvAlongKeys";
    if (kept && g[slot] != undefined && g[slot].pass === kvLib.kvPass) {
        return g[slot];
    }
    var entry = new Object();
    entry.keys = new Array();
    entry.pass = kvLib.kvPass;
    var n = down ? kvRows(g) : kvCols(g);
    if (kept && (down ? g.cols : g.rows) == 1) {
        // a single column (row): its values are its keys, as a conditional sum over it this
        // pass may have read them already, and where it indexed them, where each key first comes
        entry.keys = kvKeptFlat(g);
        if (g.kvIndexPass === kvLib.kvPass) {
            entry.first = g.kvIndexFirst;
        }
    } else if (g instanceof kvRangeC) {
        // read off the band without a call per cell; rows past its end are empty
        var keys = entry.keys;
        var b = g.b;
        // the timeline as a local: a global name is looked up on the timeline first
        var cells = kvTimeline;
        if (down) {
            var end = kvBandRows(g);
            var o = g.o;
            for (var r = 0; r < end; r++) {
                var row = b[o + r];
                keys[r] = row == undefined ? undefined : cells[row[0]];
            }
        } else {
            var first = b[g.o];
            for (var c = 0; c < n; c++) {
                keys[c] = first == undefined ? undefined : cells[first[c]];
            }
        }
        if (keys.length < n) {
            keys.length = n;
        }
    } else {
        for (var i = 0; i < n; i++) {
            entry.keys.push(down ? kvAt(g, i, 0) : kvAt(g, 0, i));
        }
    }
    if (kept) {
        g[slot] = entry;
    }
    return entry;
};

// The key of a value for exact lookups: numbers by their text of 15 digits, text without
// regard to case; null for what an index does not hold (blanks, errors).
_global.kvExactKey = function (v) {
    var t = typeof v;
    if (t == "number") {
        return "n" + v;
    }
    if (t == "string") {
        return "s" + v.toUpperCase();
    }
    if (t == "boolean") {
        return v ? "b1" : "b0";
    }
    return null;
};

// The index of the first key equal to v (wildcards in text), -1 when none is; through an
// index of the keys when v holds no wildcard.
_global.kvFind = function (v, entry) {
    var key = kvExactKey(v);
    if (key == null || (typeof v == "string" && (v.indexOf("*") >= 0 || v.indexOf("?") >= 0 || v.indexOf("~") >= 0))) {
        return kvExact(v, entry.keys, true);
    }
    if (entry.first == undefined) {
        // kvExactKey of every key, written out: a call per key costs more than the rest
        var first = new Object();
        var keys = entry.keys;
        var n = keys.length;
        for (var i = 0; i < n; i++) {
            var x = keys[i];
            var t = typeof x;
            var k;
            if (t == "number") {
                k = "n" + x;
            } else if (t == "string") {
                k = "s" + x.toUpperCase();
            } else if (t == "boolean") {
                k = x ? "b1" : "b0";
            } else {
                continue;
            }
            if (first[k] == undefined) {
                first[k] = i;
            }
        }
        entry.first = first;
    }
    var hit = entry.first[key];
    return hit == undefined ? -1 : hit;
};

// Approximate match in ascending keys through an entry of kvLookupKeys: when every key is of
// v's kind the search halves the keys (as the spreadsheet's own does, which is why the keys
// must be sorted); otherwise it walks them (kvApprox).
_global.kvApproxUp = function (v, entry) {
    var rank = kvRank(v);
    if (entry.rank == undefined) {
        entry.rank = entry.keys.length > 0 ? kvRank(entry.keys[0]) : -1;
        for (var i = 0; i < entry.keys.length; i++) {
            var x = entry.keys[i];
            if (x === undefined || x === null || x instanceof kvErrC || kvRank(x) != entry.rank) {
                entry.rank = -1;
                break;
            }
        }
    }
    if (entry.rank != rank) {
        return kvApprox(v, entry.keys, 1);
    }
    // the last key not above v (numbers compared in place: this runs once per lookup)
    var keys = entry.keys;
    var lo = 0;
    var hi = keys.length;
    while (lo < hi) {
        var mid = Math.floor((lo + hi) / 2);
        var x = keys[mid];
        if (rank == 0 ? x <= v || x - v < 3.6e-15 * Math.abs(x) : kvCmp(x, v) <= 0) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return lo - 1;
};

// VLOOKUP (down) and HLOOKUP (along).
_global.kvTableLookup = function (v, g, index, approx, down) {
    v = kvV(v);
    if (v instanceof kvErrC) {
        return v;
    }
    if (g instanceof kvErrC) {
        return g;
    }
    index = kvI(index);
    if (typeof index != "number") {
        return index;
    }
    approx = approx === undefined ? true : kvB(approx);
    if (approx instanceof kvErrC) {
        return approx;
    }
    var rows = kvRows(g);
    var cols = kvCols(g);
    if (index < 1) {
        return kvError("#VALUE!");
    }
    if (index > (down ? cols : rows)) {
        return kvError("#REF!");
    }
    var k = approx ? kvApproxUp(v, kvLookupKeys(g, down)) : kvFind(v, kvLookupKeys(g, down));
    if (k < 0) {
        return kvError("#N/A");
    }
    var x = down ? kvAt(g, k, index - 1) : kvAt(g, index - 1, k);
    return x === undefined ? 0 : x;
};

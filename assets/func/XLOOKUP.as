// XLOOKUP(value, lookup array, return array, [if not found], [match mode], [search mode]).
// Match modes: 0 exact, -1 exact or next smaller, 1 exact or next larger, 2 wildcards; search
// modes 1 first to last, -1 last to first (2 and -2, binary, search the same way).
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.XLOOKUP = function (v, g, res, missing, mode, search) {
    v = kvV(v);
    if (v instanceof kvErrC) {
        return v;
    }
    var a = kvNumArgs([mode, search], [0, 1]);
    if (a instanceof kvErrC) {
        return a;
    }
    mode = kvTrunc(a[0]);
    search = kvTrunc(a[1]);
    if (mode < -1 || mode > 2 || search == 0 || search < -2 || search > 2) {
        return kvError("#VALUE!");
    }
    var keys = kvFlat(g);
    var vertical = kvCols(g) == 1;
    if (vertical ? kvRows(res) != keys.length : kvCols(res) != keys.length) {
        return kvError("#VALUE!");
    }
    var best = -1;
    var n = keys.length;
    for (var s = 0; s < n; s++) {
        var i = search > 0 ? s : n - 1 - s;
        var x = keys[i];
        if (x instanceof kvErrC || x === undefined) {
            continue;
        }
        if (mode == 2 && typeof v == "string") {
            if (typeof x == "string" && kvWild(v.toUpperCase(), x.toUpperCase())) {
                best = i;
                break;
            }
            continue;
        }
        if (kvRank(x) != kvRank(v)) {
            continue;
        }
        var c = kvCmp(x, v);
        if (c == 0) {
            best = i;
            break;
        }
        if (mode == -1 && c < 0 && (best < 0 || kvCmp(x, keys[best]) > 0)) {
            best = i;
        } else if (mode == 1 && c > 0 && (best < 0 || kvCmp(x, keys[best]) < 0)) {
            best = i;
        }
    }
    if (best < 0) {
        return missing === undefined ? kvError("#N/A") : missing;
    }
    var out = vertical ? kvAt(res, best, 0) : kvAt(res, 0, best);
    return out === undefined ? 0 : out;
};

// Searching text (FIND, SEARCH), taking its parts (LEFT, RIGHT, MID, REPLACE) and their counts.

// The position of text f in s from position start on (FIND when exact: case-sensitive, no
// wildcards; else SEARCH: without regard to case, with wildcards); #VALUE! when not found.
_global.kvSearch = function (f, s, start, exact) {
    f = kvS(f);
    if (typeof f != "string") {
        return f;
    }
    s = kvS(s);
    if (typeof s != "string") {
        return s;
    }
    var a = kvNumArgs([start], [1]);
    if (a instanceof kvErrC) {
        return a;
    }
    start = kvTrunc(a[0]);
    if (start < 1 || start > s.length + 1) {
        return kvError("#VALUE!");
    }
    var i;
    if (exact) {
        i = s.indexOf(f, start - 1);
        return i < 0 ? kvError("#VALUE!") : i + 1;
    }
    var p = f.toUpperCase();
    var u = s.toUpperCase();
    if (p.indexOf("*") < 0 && p.indexOf("?") < 0 && p.indexOf("~") < 0) {
        i = u.indexOf(p, start - 1);
        return i < 0 ? kvError("#VALUE!") : i + 1;
    }
    // a wildcard pattern matches a prefix of the rest when followed by a star
    for (var k = start - 1; k <= u.length; k++) {
        if (kvWild(p + "*", u.substr(k))) {
            return k + 1;
        }
    }
    return kvError("#VALUE!");
};
// The first (LEFT) or last (right) n characters of v, 1 when n is left out.
_global.kvEnd = function (v, n, right) {
    var s = typeof v == "string" ? v : kvS(v);
    if (typeof s != "string") {
        return s;
    }
    // a text and a count not below 0, as nearly every call has them, take no further calls
    if (n === undefined) {
        n = 1;
    } else if (typeof n != "number" || n < 0) {
        var a = kvNumArgs([n], [1]);
        if (a instanceof kvErrC) {
            return a;
        }
        n = kvCountOf(a[0], 0, s.length);
        if (n instanceof kvErrC) {
            return n;
        }
    }
    n = Math.floor(n);
    if (n > s.length) {
        n = s.length;
    }
    return right ? s.substr(s.length - n) : s.substr(0, n);
};
// A count or position argument: its whole part, #VALUE! below low (tested before the cut, so
// -0.2 is below 0), and never above limit. The player's string methods take 32-bit integers:
// 2^31 characters would read as a negative count, 2^32 + 1 as 1.
_global.kvCountOf = function (x, low, limit) {
    if (x < low) {
        return kvError("#VALUE!");
    }
    x = Math.floor(x);
    return x > limit ? limit : x;
};

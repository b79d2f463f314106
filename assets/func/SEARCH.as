// SEARCH(text, within, [start]): without regard to case, with wildcards.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.SEARCH = function (f, s, start) {
    f = kvS(f);
    if (typeof f != "string") {
        return f;
    }
    s = kvS(s);
    if (typeof s != "string") {
        return s;
    }
    start = start === undefined ? 1 : kvI(start);
    if (typeof start != "number") {
        return start;
    }
    if (start < 1 || start > s.length + 1) {
        return kvError("#VALUE!");
    }
    var p = f.toUpperCase();
    var u = s.toUpperCase();
    if (p.indexOf("*") < 0 && p.indexOf("?") < 0 && p.indexOf("~") < 0) {
        var i = u.indexOf(p, start - 1);
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

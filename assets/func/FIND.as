// FIND(text, within, [start]): case-sensitive, no wildcards; #VALUE! when not found.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.FIND = function (f, s, start) {
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
    var i = s.indexOf(f, start - 1);
    return i < 0 ? kvError("#VALUE!") : i + 1;
};

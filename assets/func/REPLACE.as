// REPLACE(text, start, count, new)
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.REPLACE = function (v, start, n, by) {
    var s = kvS(v);
    if (typeof s != "string") {
        return s;
    }
    var a = kvNumArgs([start, n], [null, null]);
    if (a instanceof kvErrC) {
        return a;
    }
    by = kvS(by);
    if (typeof by != "string") {
        return by;
    }
    start = kvTrunc(a[0]);
    n = kvTrunc(a[1]);
    if (start < 1 || n < 0) {
        return kvError("#VALUE!");
    }
    return s.substr(0, start - 1) + by + s.substr(start - 1 + n);
};

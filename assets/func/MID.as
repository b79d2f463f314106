// MID(text, start, count): count characters from position start on.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.MID = function (v, start, n) {
    var s = kvS(v);
    if (typeof s != "string") {
        return s;
    }
    var a = kvNumArgs([start, n], [null, null]);
    if (a instanceof kvErrC) {
        return a;
    }
    start = kvTrunc(a[0]);
    n = kvTrunc(a[1]);
    if (start < 1 || n < 0) {
        return kvError("#VALUE!");
    }
    return s.substr(start - 1, n);
};

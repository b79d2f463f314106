// REPT(text, count): the text repeated count times.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.REPT = function (v, n) {
    var s = kvS(v);
    if (typeof s != "string") {
        return s;
    }
    var a = kvNumArgs([n], [null]);
    if (a instanceof kvErrC) {
        return a;
    }
    n = kvTrunc(a[0]);
    if (n < 0 || s.length * n > 32767) {
        return kvError("#VALUE!");
    }
    var out = "";
    for (var i = 0; i < n; i++) {
        out += s;
    }
    return out;
};

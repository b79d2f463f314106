if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.REPT = function (v, n) {
    var s = kvS(v);
    if (typeof s != "string") {
        return s;
    }
    n = kvI(n);
    if (typeof n != "number") {
        return n;
    }
    if (n < 0 || s.length * n > 32767) {
        return kvError("#VALUE!");
    }
    var out = "";
    for (var i = 0; i < n; i++) {
        out += s;
    }
    return out;
};

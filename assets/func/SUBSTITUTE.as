// SUBSTITUTE(text, old, new, [instance]): every occurrence, or only the given one.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.SUBSTITUTE = function (v, old, by, which) {
    var s = kvS(v);
    if (typeof s != "string") {
        return s;
    }
    old = kvS(old);
    if (typeof old != "string") {
        return old;
    }
    by = kvS(by);
    if (typeof by != "string") {
        return by;
    }
    var nth = 0;
    if (which !== undefined) {
        var a = kvNumArgs([which], [null]);
        if (a instanceof kvErrC) {
            return a;
        }
        nth = kvTrunc(a[0]);
        if (nth < 1) {
            return kvError("#VALUE!");
        }
    }
    if (old.length == 0) {
        return s;
    }
    var out = "";
    var from = 0;
    var count = 0;
    while (true) {
        var i = s.indexOf(old, from);
        if (i < 0) {
            break;
        }
        count++;
        if (nth == 0 || count == nth) {
            out += s.substring(from, i) + by;
        } else {
            out += s.substring(from, i + old.length);
        }
        from = i + old.length;
    }
    return out + s.substring(from);
};

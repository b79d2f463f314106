if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.RIGHT = function (v, n) {
    var s = kvS(v);
    if (typeof s != "string") {
        return s;
    }
    n = n === undefined ? 1 : kvI(n);
    if (typeof n != "number") {
        return n;
    }
    if (n < 0) {
        return kvError("#VALUE!");
    }
    return n >= s.length ? s : s.substr(s.length - n);
};

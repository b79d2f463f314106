if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.LEFT = function (v, n) {
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
    return s.substr(0, n);
};

if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.CHOOSE = function (i) {
    i = kvI(i);
    if (typeof i != "number") {
        return i;
    }
    if (i < 1 || i >= arguments.length) {
        return kvError("#VALUE!");
    }
    var v = arguments[i];
    return v === undefined ? 0 : v;
};

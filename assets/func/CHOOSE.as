// CHOOSE(index, values...): the value at the index, 1 for the first.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.CHOOSE = function (i) {
    var a = kvNumArgs([i], [null]);
    if (a instanceof kvErrC) {
        return a;
    }
    i = kvTrunc(a[0]);
    if (i < 1 || i >= arguments.length) {
        return kvError("#VALUE!");
    }
    var v = arguments[i];
    return v === undefined ? 0 : v;
};

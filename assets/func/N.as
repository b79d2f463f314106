// N(value): a number as it is, TRUE as 1, anything else 0; errors pass on.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.N = function (v) {
    v = kvV(v);
    var t = typeof v;
    if (t == "number" || v instanceof kvErrC) {
        return v;
    }
    if (t == "boolean") {
        return v ? 1 : 0;
    }
    return 0;
};

// IFERROR(value, instead): the value, or instead when it is an error.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.IFERROR = function (v, alt) {
    v = kvV(v);
    if (v instanceof kvErrC) {
        return alt === undefined ? 0 : alt;
    }
    return v === undefined ? 0 : v;
};

// IFNA(value, instead): the value, or instead when it is #N/A.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.IFNA = function (v, alt) {
    v = kvV(v);
    if (v instanceof kvErrC && v.code == "#N/A") {
        return alt === undefined ? 0 : alt;
    }
    return v === undefined ? 0 : v;
};

// ISNA(value): whether the value is #N/A.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ISNA = function (v) {
    v = kvV(v);
    return v instanceof kvErrC && v.code == "#N/A";
};

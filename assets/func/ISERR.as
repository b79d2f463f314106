// ISERR(value): whether the value is an error other than #N/A.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ISERR = function (v) {
    v = kvV(v);
    return v instanceof kvErrC && v.code != "#N/A";
};

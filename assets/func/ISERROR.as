// ISERROR(value): whether the value is an error.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ISERROR = function (v) {
    return kvV(v) instanceof kvErrC;
};

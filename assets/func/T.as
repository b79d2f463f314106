// Text stays, anything else is "".
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.T = function (v) {
    v = kvV(v);
    if (v instanceof kvErrC) {
        return v;
    }
    return typeof v == "string" ? v : "";
};

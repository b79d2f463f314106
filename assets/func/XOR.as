// XOR(logicals...): whether an odd number are TRUE.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.XOR = function () {
    var r = kvLogicals(arguments);
    if (r instanceof kvErrC) {
        return r;
    }
    return r.count > 0 ? r.trues % 2 == 1 : kvError("#VALUE!");
};

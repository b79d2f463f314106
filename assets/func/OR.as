// OR(logicals...): whether any is TRUE.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.OR = function () {
    var r = kvLogicals(arguments);
    if (r instanceof kvErrC) {
        return r;
    }
    return r.count > 0 ? r.trues > 0 : kvError("#VALUE!");
};

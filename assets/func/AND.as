// Logical values and numbers count, in ranges text is skipped; nothing to test is #VALUE!.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.AND = function () {
    var r = kvLogicals(arguments);
    if (r instanceof kvErrC) {
        return r;
    }
    return r.count > 0 ? r.trues == r.count : kvError("#VALUE!");
};

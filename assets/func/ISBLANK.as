// ISBLANK(value): whether the value is a blank cell.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ISBLANK = function (v) {
    v = kvV(v);
    return v === undefined || v === null;
};

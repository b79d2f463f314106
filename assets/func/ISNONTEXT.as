// ISNONTEXT(value): whether the value is not text (a blank is not text).
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ISNONTEXT = function (v) {
    return typeof kvV(v) != "string";
};

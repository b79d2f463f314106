// ISTEXT(value): whether the value is text.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ISTEXT = function (v) {
    return typeof kvV(v) == "string";
};

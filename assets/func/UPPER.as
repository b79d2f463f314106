// UPPER(text): the text in capitals.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.UPPER = function (v) {
    var s = typeof v == "string" ? v : kvS(v);
    return typeof s == "string" ? s.toUpperCase() : s;
};

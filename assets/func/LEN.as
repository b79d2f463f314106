// LEN(text): the number of characters.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.LEN = function (v) {
    var s = kvS(v);
    return typeof s == "string" ? s.length : s;
};

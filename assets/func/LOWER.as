// LOWER(text): the text in small letters.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.LOWER = function (v) {
    var s = kvS(v);
    return typeof s == "string" ? s.toLowerCase() : s;
};

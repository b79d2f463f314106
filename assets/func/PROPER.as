// Capitals after every character that is not a letter.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.PROPER = function (v) {
    var s = kvS(v);
    if (typeof s != "string") {
        return s;
    }
    var out = "";
    var after = false;
    for (var i = 0; i < s.length; i++) {
        var ch = s.charAt(i);
        var letter = ch.toUpperCase() != ch.toLowerCase();
        out += letter ? (after ? ch.toLowerCase() : ch.toUpperCase()) : ch;
        after = letter;
    }
    return out;
};

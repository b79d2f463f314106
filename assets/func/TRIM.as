// No leading or trailing spaces, single spaces between words.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.TRIM = function (v) {
    var s = kvS(v);
    if (typeof s != "string") {
        return s;
    }
    var words = s.split(" ");
    var out = new Array();
    for (var i = 0; i < words.length; i++) {
        if (words[i] != "") {
            out.push(words[i]);
        }
    }
    return out.join(" ");
};

// Removes the control characters 0..31.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.CLEAN = function (v) {
    var s = kvS(v);
    if (typeof s != "string") {
        return s;
    }
    var out = "";
    for (var i = 0; i < s.length; i++) {
        if (s.charCodeAt(i) >= 32) {
            out += s.charAt(i);
        }
    }
    return out;
};

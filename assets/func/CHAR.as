// The character of a code 1..255 (Windows-1252 for 128..159).
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.CHAR = function (v) {
    var a = kvNumArgs([v], [null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var x = kvTrunc(a[0]);
    if (x < 1 || x > 255) {
        return kvError("#VALUE!");
    }
    if (x >= 128 && x < 160) {
        var cp = [8364, 129, 8218, 402, 8222, 8230, 8224, 8225, 710, 8240, 352, 8249, 338, 141, 381, 143,
            144, 8216, 8217, 8220, 8221, 8226, 8211, 8212, 732, 8482, 353, 8250, 339, 157, 382, 376];
        x = cp[x - 128];
    }
    return String.fromCharCode(x);
};

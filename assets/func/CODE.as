// CODE(text): the code of the first character in the Western code page.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.CODE = function (v) {
    var s = kvS(v);
    if (typeof s != "string") {
        return s;
    }
    if (s.length == 0) {
        return kvError("#VALUE!");
    }
    var c = s.charCodeAt(0);
    if (c > 255) {
        var cp = [8364, 129, 8218, 402, 8222, 8230, 8224, 8225, 710, 8240, 352, 8249, 338, 141, 381, 143,
            144, 8216, 8217, 8220, 8221, 8226, 8211, 8212, 732, 8482, 353, 8250, 339, 157, 382, 376];
        for (var i = 0; i < cp.length; i++) {
            if (cp[i] == c) {
                return 128 + i;
            }
        }
        return 63;
    }
    return c;
};

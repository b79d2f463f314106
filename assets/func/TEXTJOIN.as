// TEXTJOIN(delimiter, ignore empty, values...)
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.TEXTJOIN = function (d, skip) {
    d = kvS(d);
    if (typeof d != "string") {
        return d;
    }
    skip = kvB(skip);
    if (skip instanceof kvErrC) {
        return skip;
    }
    var parts = new Array();
    for (var i = 2; i < arguments.length; i++) {
        var values = kvFlat(arguments[i]);
        for (var k = 0; k < values.length; k++) {
            var s = kvS(values[k]);
            if (typeof s != "string") {
                return s;
            }
            if (!skip || s != "") {
                parts.push(s);
            }
        }
    }
    var out = parts.join(d);
    return out.length > 32767 ? kvError("#VALUE!") : out;
};

// TEXT(value, format): number, percent, scientific, date and time codes, sections, literals.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.TEXT = function (v, f) {
    v = kvV(v);
    if (v instanceof kvErrC) {
        return v;
    }
    f = kvS(f);
    if (typeof f != "string") {
        return f;
    }
    if (typeof v == "boolean") {
        return v ? "TRUE" : "FALSE";
    }
    var x = v === undefined ? 0 : v;
    if (typeof x == "string") {
        var n = kvParse(x);
        if (isNaN(n)) {
            return kvFormatText(x, f);
        }
        x = n;
    }
    return kvFormat(x, f);
};

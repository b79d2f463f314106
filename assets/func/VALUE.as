// A number from text as the spreadsheet reads it, also a date or a time.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.VALUE = function (v) {
    v = kvV(v);
    if (v instanceof kvErrC || typeof v == "number") {
        return v;
    }
    if (v === undefined) {
        return 0;
    }
    if (typeof v != "string") {
        return kvError("#VALUE!");
    }
    var x = kvParse(v);
    return isNaN(x) ? kvError("#VALUE!") : x;
};

// The serial number of the date in a text; the time in it is dropped.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.DATEVALUE = function (v) {
    v = kvV(v);
    if (v instanceof kvErrC) {
        return v;
    }
    if (typeof v != "string") {
        return kvError("#VALUE!");
    }
    var x = kvDateText(v);
    if (isNaN(x)) {
        return kvError("#VALUE!");
    }
    return Math.floor(x);
};

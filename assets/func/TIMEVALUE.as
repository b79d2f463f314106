// The time of day in a text, as a fraction of a day.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.TIMEVALUE = function (v) {
    v = kvV(v);
    if (v instanceof kvErrC) {
        return v;
    }
    if (typeof v != "string") {
        return kvError("#VALUE!");
    }
    // a number alone ("1.25") is no time
    if (!isNaN(Number(v.split(" ").join("")))) {
        return kvError("#VALUE!");
    }
    var x = kvDateText(v);
    if (isNaN(x)) {
        return kvError("#VALUE!");
    }
    return x - Math.floor(x);
};

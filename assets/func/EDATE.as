// The same day months later, or the month's last day when it is shorter.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.EDATE = function (from, months) {
    from = typeof kvV(from) == "boolean" ? kvError("#VALUE!") : kvDateArg(from);
    if (typeof from != "number") {
        return from;
    }
    months = kvNNoLogical(months);
    if (typeof months != "number") {
        return months;
    }
    months = kvTrunc(months);
    var a = kvYMD(from);
    var m = a[1] + months;
    var y = a[0] + Math.floor((m - 1) / 12);
    m = m - 12 * Math.floor((m - 1) / 12);
    var d = a[2];
    var last = kvMonthDays(y, m);
    if (d > last) {
        d = last;
    }
    var s = kvSerial(y, m, d);
    return s < 0 || s > 2958465 ? kvError("#NUM!") : s;
};

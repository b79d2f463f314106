// EOMONTH(start, months): the last day of the month that many months away.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.EOMONTH = function (from, months) {
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
    var s = kvSerial(a[0], a[1] + months + 1, 1) - 1;
    return s < 0 || s > 2958465 ? kvError("#NUM!") : s;
};

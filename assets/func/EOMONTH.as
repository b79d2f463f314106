if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.EOMONTH = function (from, months) {
    from = kvDateArg(from);
    if (typeof from != "number") {
        return from;
    }
    months = kvI(months);
    if (typeof months != "number") {
        return months;
    }
    var a = kvYMD(from);
    var s = kvSerial(a[0], a[1] + months + 1, 1) - 1;
    return s < 0 ? kvError("#NUM!") : s;
};

// EOMONTH(start, months): the last day of the month that many months away.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.EOMONTH = function (from, months) {
    from = kvDateArg(from);
    if (typeof from != "number") {
        return from;
    }
    var a = kvNumArgs([months], [null]);
    if (a instanceof kvErrC) {
        return a;
    }
    months = kvTrunc(a[0]);
    var a = kvYMD(from);
    var s = kvSerial(a[0], a[1] + months + 1, 1) - 1;
    return s < 0 || s > 2958465 ? kvError("#NUM!") : s;
};

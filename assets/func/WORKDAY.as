// WORKDAY(start, days, [holidays]): the working day that many working days away.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.WORKDAY = function (from, days, holidays) {
    from = kvDateArg(from);
    if (typeof from != "number") {
        return from;
    }
    days = kvI(days);
    if (typeof days != "number") {
        return days;
    }
    var off = kvHolidays(holidays);
    if (off instanceof kvErrC) {
        return off;
    }
    var d = Math.floor(from);
    var step = days < 0 ? -1 : 1;
    var left = Math.abs(days);
    while (left > 0) {
        d += step;
        var w = kvWeekday0(d);
        if (w != 0 && w != 6 && !off[d]) {
            left--;
        }
        if (d < 0) {
            return kvError("#NUM!");
        }
    }
    return d;
};

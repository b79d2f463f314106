// WORKDAY(start, days, [holidays]): the working day that many working days away.
#include "shared/sheet/days.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.WORKDAY = function (from, days, holidays) {
    var dates = kvDayArgs(arguments, 1);
    if (dates instanceof kvErrC) {
        return dates;
    }
    from = dates[0];
    var a = kvNumArgs([days], [null]);
    if (a instanceof kvErrC) {
        return a;
    }
    days = kvTrunc(a[0]);
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

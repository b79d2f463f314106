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
    // Every working day moves the date on by a day at least: past the last date there is no
    // answer, and no need to walk there.
    if (left > 2958465) {
        return kvError("#NUM!");
    }
    // Seven days hold five working days wherever they start: without holidays whole weeks are
    // taken at once.
    var none = true;
    for (var key in off) {
        none = false;
        break;
    }
    if (none && left > 5) {
        var weeks = Math.floor((left - 1) / 5);
        d += 7 * weeks * step;
        left -= 5 * weeks;
    }
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
    return d < 0 || d > 2958465 ? kvError("#NUM!") : d;
};

// NETWORKDAYS(start, end, [holidays]): Monday to Friday, both ends counted, negative when the
// end comes first.
#include "shared/sheet/days.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.NETWORKDAYS = function (from, to, holidays) {
    var dates = kvDayArgs(arguments, 2);
    if (dates instanceof kvErrC) {
        return dates;
    }
    from = dates[0];
    to = dates[1];
    var off = kvHolidays(holidays);
    if (off instanceof kvErrC) {
        return off;
    }
    from = Math.floor(from);
    to = Math.floor(to);
    var sign = 1;
    if (to < from) {
        var t = from;
        from = to;
        to = t;
        sign = -1;
    }
    var n = 0;
    for (var d = from; d <= to; d++) {
        var w = kvWeekday0(d);
        if (w != 0 && w != 6 && !off[d]) {
            n++;
        }
    }
    return n * sign;
};

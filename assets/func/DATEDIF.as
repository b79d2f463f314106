// DATEDIF(start, end, unit): whole "Y", "M", "D"; "MD", "YM", "YD" ignore the larger units.
#include "shared/sheet/days.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.DATEDIF = function (from, to, unit) {
    var dates = kvDayArgs(arguments, 2);
    if (dates instanceof kvErrC) {
        return dates;
    }
    from = dates[0];
    to = dates[1];
    unit = kvS(unit);
    if (typeof unit != "string") {
        return unit;
    }
    from = Math.floor(from);
    to = Math.floor(to);
    if (from > to) {
        return kvError("#NUM!");
    }
    var u = unit.toUpperCase();
    var a = kvYMD(from);
    var b = kvYMD(to);
    var months = (b[0] - a[0]) * 12 + b[1] - a[1];
    if (b[2] < a[2]) {
        months--;
    }
    if (u == "D") {
        return to - from;
    }
    if (u == "M") {
        return months;
    }
    if (u == "Y") {
        return Math.floor(months / 12);
    }
    if (u == "YM") {
        return months % 12;
    }
    if (u == "MD") {
        if (b[2] >= a[2]) {
            return b[2] - a[2];
        }
        // days from the same day of the previous month
        return to - kvSerial(b[0], b[1] - 1, a[2]);
    }
    if (u == "YD") {
        var y = b[0];
        if (b[1] < a[1] || (b[1] == a[1] && b[2] < a[2])) {
            y--;
        }
        return to - kvSerial(y, a[1], a[2]);
    }
    return kvError("#NUM!");
};

// YEARFRAC(start, end, [basis]): 0 US 30/360, 1 actual/actual, 2 actual/360, 3 actual/365,
// 4 European 30/360.
#include "shared/sheet/days.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
_global.kvYearFrac = function (from, to, basis) {
    if (from > to) {
        var t = from;
        from = to;
        to = t;
    }
    var a = kvYMD(from);
    var b = kvYMD(to);
    if (basis == 0 || basis == 4) {
        var d1 = a[2];
        var d2 = b[2];
        if (basis == 0) {
            var aLastFeb = a[1] == 2 && d1 == kvMonthDays(a[0], 2);
            var bLastFeb = b[1] == 2 && d2 == kvMonthDays(b[0], 2);
            if (aLastFeb && bLastFeb) {
                d2 = 30;
            }
            if (aLastFeb) {
                d1 = 30;
            }
            if (d2 == 31 && d1 >= 30) {
                d2 = 30;
            }
            if (d1 == 31) {
                d1 = 30;
            }
        } else {
            if (d1 == 31) {
                d1 = 30;
            }
            if (d2 == 31) {
                d2 = 30;
            }
        }
        return ((b[0] - a[0]) * 360 + (b[1] - a[1]) * 30 + d2 - d1) / 360;
    }
    var days = to - from;
    if (basis == 2) {
        return days / 360;
    }
    if (basis == 3) {
        return days / 365;
    }
    // actual/actual: within a year (or up to the same day a year on) the length of the year
    // that holds a 29 February in the span, else the average length of the years touched
    var within = a[0] == b[0] || (b[0] == a[0] + 1 && (b[1] < a[1] || (b[1] == a[1] && b[2] <= a[2])));
    if (within) {
        var len = 365;
        if (a[0] == b[0]) {
            if (kvIsLeap(a[0])) {
                len = 366;
            }
        } else {
            var feb29a = kvIsLeap(a[0]) ? kvSerial(a[0], 2, 29) : -1;
            var feb29b = kvIsLeap(b[0]) ? kvSerial(b[0], 2, 29) : -1;
            if ((feb29a >= from && feb29a <= to) || (feb29b >= from && feb29b <= to)) {
                len = 366;
            }
        }
        return days / len;
    }
    var total = kvSerial(b[0] + 1, 1, 1) - kvSerial(a[0], 1, 1);
    return days / (total / (b[0] - a[0] + 1));
};

kvLib.YEARFRAC = function (from, to, basis) {
    var dates = kvDayArgs(arguments, 2);
    if (dates instanceof kvErrC) {
        // a number that is no date is a wrong value here, reported before the basis
        return dates.code == "#NUM!" ? kvError("#VALUE!") : dates;
    }
    from = dates[0];
    to = dates[1];
    var a = kvNumArgs([basis], [0]);
    if (a instanceof kvErrC) {
        return a;
    }
    basis = kvTrunc(a[0]);
    if (basis < 0 || basis > 4) {
        return kvError("#NUM!");
    }
    return kvYearFrac(Math.floor(from), Math.floor(to), basis);
};

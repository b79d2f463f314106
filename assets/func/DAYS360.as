// DAYS360(start, end, [European]): the US method moves the 31st (and the last of February
// at the start) to the 30th.
#include "shared/sheet/days.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.DAYS360 = function (from, to, europe) {
    var dates = kvDayArgs(arguments, 2);
    if (dates instanceof kvErrC) {
        return dates;
    }
    from = dates[0];
    to = dates[1];
    europe = kvB(europe);
    if (europe instanceof kvErrC) {
        return europe;
    }
    var a = kvYMD(from);
    var b = kvYMD(to);
    var d1 = a[2];
    var d2 = b[2];
    if (europe) {
        if (d1 == 31) {
            d1 = 30;
        }
        if (d2 == 31) {
            d2 = 30;
        }
    } else {
        var lastFeb = a[1] == 2 && d1 == kvMonthDays(a[0], 2);
        if (d1 == 31 || lastFeb) {
            d1 = 30;
        }
        if (d2 == 31 && d1 >= 30) {
            d2 = 30;
        }
    }
    return (b[0] - a[0]) * 360 + (b[1] - a[1]) * 30 + d2 - d1;
};

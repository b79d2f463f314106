// WEEKNUM(date, [type]): week 1 holds 1 January; type 1 weeks begin on Sunday, 2 and 11 on
// Monday, 12..17 Tuesday..Sunday, 21 the ISO week. 30 December 2024 is in week 53.
#include "shared/sheet/days.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.WEEKNUM = function (v, type) {
    var x = kvDateArg(v);
    if (typeof x != "number") {
        return x;
    }
    var a = kvNumArgs([type], [1]);
    if (a instanceof kvErrC) {
        return a;
    }
    type = kvTrunc(a[0]);
    var first;
    if (type == 1 || type == 17) {
        first = 0;
    } else if (type == 2 || type == 11) {
        first = 1;
    } else if (type >= 12 && type <= 16) {
        first = type - 10;
    } else if (type == 21) {
        return kvIsoWeek(Math.floor(x));
    } else {
        return kvError("#NUM!");
    }
    var d = Math.floor(x);
    var jan1 = kvSerial(kvYMD(d)[0], 1, 1);
    var offset = (kvWeekday0(jan1) - first + 7) % 7;
    return Math.floor((d - jan1 + offset) / 7) + 1;
};

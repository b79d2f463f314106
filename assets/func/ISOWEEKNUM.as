// The ISO week: weeks start on Monday, week 1 holds the year's first Thursday.
#include "shared/sheet/days.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ISOWEEKNUM = function (v) {
    var x = kvDateArg(v);
    if (typeof x != "number") {
        return x;
    }
    return kvIsoWeek(Math.floor(x));
};

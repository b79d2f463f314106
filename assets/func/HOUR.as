// HOUR(time): the hour of a time, 0..23.
#include "shared/sheet/days.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.HOUR = function (v) {
    var x = kvDateArg(v);
    return typeof x == "number" ? Math.floor(kvSecondsOfDay(x) / 3600) : x;
};

// MINUTE(time): the minute of a time, 0..59.
#include "shared/sheet/days.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.MINUTE = function (v) {
    var x = kvDateArg(v);
    return typeof x == "number" ? Math.floor(kvSecondsOfDay(x) / 60) % 60 : x;
};

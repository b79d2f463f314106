// SECOND(time): the second of a time, 0..59.
#include "shared/sheet/days.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.SECOND = function (v) {
    var x = kvDateArg(v);
    return typeof x == "number" ? kvSecondsOfDay(x) % 60 : x;
};

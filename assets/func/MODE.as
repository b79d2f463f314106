// The most frequent number, the first met of equally frequent ones; #N/A when none repeats.
#include "shared/sheet/stats.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.MODE = function () {
    return kvMode(arguments);
};

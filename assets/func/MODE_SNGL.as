// MODE.SNGL(numbers...): the most frequent number; #N/A when none repeats.
#include "shared/sheet/stats.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.MODE_SNGL = function () {
    return kvMode(arguments);
};

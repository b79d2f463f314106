// MEDIAN(numbers...): the middle number, the mean of the two middle ones for an even count.
#include "shared/sheet/stats.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.MEDIAN = function () {
    var xs = kvNums(arguments, 0, false);
    if (xs instanceof kvErrC) {
        return xs;
    }
    if (xs.length == 0) {
        return kvError("#NUM!");
    }
    return kvQuantile(kvSorted(xs), 0.5);
};

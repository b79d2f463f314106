// PERCENTILE(range, k): the k-quantile, interpolated.
#include "shared/sheet/stats.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.PERCENTILE = function (g, k) {
    return kvPercentile(g, k);
};

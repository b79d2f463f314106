// RANK(number, range, [order]): 1 for the largest (order 0) or the smallest (order non-zero).
#include "shared/sheet/stats.as"
#include "shared/sheet/ifindex.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.RANK = function (x, g, order) {
    var r = kvRankOf(x, g, order);
    return r instanceof kvErrC ? r : r.first;
};

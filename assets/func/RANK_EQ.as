// RANK.EQ(number, range, [order]): the rank of the number, equal numbers sharing the best.
#include "shared/sheet/stats.as"
#include "shared/sheet/ifindex.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.RANK_EQ = function (x, g, order) {
    var r = kvRankOf(x, g, order);
    return r instanceof kvErrC ? r : r.first;
};

// The average rank of equal numbers.
#include "shared/sheet/stats.as"
#include "shared/sheet/ifindex.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.RANK_AVG = function (x, g, order) {
    var r = kvRankOf(x, g, order);
    return r instanceof kvErrC ? r : r.first + (r.same - 1) / 2;
};

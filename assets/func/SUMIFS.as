// SUMIFS(sum range, range1, criterion1, ...)
#include "shared/sheet/criteria.as"
#include "shared/sheet/ifindex.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.SUMIFS = function (sums) {
    var keep = kvIfsMask(arguments, 1);
    if (keep instanceof kvErrC) {
        return keep;
    }
    if (kvRows(sums) != kvRows(arguments[1]) || kvCols(sums) != kvCols(arguments[1])) {
        return kvError("#VALUE!");
    }
    var xs = kvPick(sums, keep);
    return xs instanceof kvErrC ? xs : kvSum(xs);
};

// AVERAGEIFS(average range, range1, criterion1, ...)
#include "shared/sheet/criteria.as"
#include "shared/sheet/ifindex.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.AVERAGEIFS = function (values) {
    var keep = kvIfsMask(arguments, 1);
    if (keep instanceof kvErrC) {
        return keep;
    }
    var xs = kvPick(values, keep);
    if (xs instanceof kvErrC) {
        return xs;
    }
    return xs.length == 0 ? kvError("#DIV/0!") : kvMean(xs);
};

// AVERAGEIF(range, criterion, [average range])
#include "shared/sheet/criteria.as"
#include "shared/sheet/ifindex.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.AVERAGEIF = function (range, crit, values) {
    var hit = kvIndexedIf(range, crit, values);
    if (hit != null) {
        if (hit.error != undefined) {
            return hit.error;
        }
        return hit.numbers == 0 ? kvError("#DIV/0!") : hit.sum / hit.numbers;
    }
    var keep = kvIfsMask([range, crit], 0);
    if (keep instanceof kvErrC) {
        return keep;
    }
    var xs = kvPick(values === undefined ? range : values, keep);
    if (xs instanceof kvErrC) {
        return xs;
    }
    return xs.length == 0 ? kvError("#DIV/0!") : kvMean(xs);
};

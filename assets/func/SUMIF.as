// SUMIF(range, criterion, [sum range])
#include "shared/sheet/criteria.as"
#include "shared/sheet/ifindex.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.SUMIF = function (range, crit, sums) {
    var hit = kvIndexedIf(range, crit, sums);
    if (hit != null) {
        return hit.error != undefined ? hit.error : hit.sum;
    }
    var keep = kvIfsMask([range, crit], 0);
    if (keep instanceof kvErrC) {
        return keep;
    }
    var xs = kvPick(sums === undefined ? range : sums, keep);
    return xs instanceof kvErrC ? xs : kvSum(xs);
};

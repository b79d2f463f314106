// SUMIF(range, criterion, [sum range])
#include "shared/sheet/criteria.as"
#include "shared/sheet/ifindex.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.SUMIF = function (range, crit, sums) {
    // a number criterion on a range indexed this pass, as a criterion filled down from a
    // column of keys nearly always is: kvIndexedIf written out, without a call
    var index = range.kvIndex;
    if (typeof crit == "number" && index != undefined && range.kvIndexPass === kvLib.kvPass &&
        range.kvIndexSums === (sums === undefined ? range : sums)) {
        var entry = index["n" + crit];
        if (entry == undefined) {
            return 0;
        }
        return entry.error != undefined ? entry.error : entry.sum;
    }
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

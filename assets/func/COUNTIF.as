// COUNTIF(range, criterion): the number of cells that meet the criterion.
#include "shared/sheet/criteria.as"
#include "shared/sheet/ifindex.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.COUNTIF = function (range, crit) {
    var hit = kvIndexedIf(range, crit, range);
    if (hit != null) {
        return hit.count;
    }
    var keep = kvIfsMask([range, crit], 0);
    return keep instanceof kvErrC ? keep : keep.length;
};

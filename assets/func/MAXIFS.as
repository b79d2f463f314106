// MAXIFS(max range, range1, criterion1, ...); 0 when no cell meets them.
#include "shared/sheet/criteria.as"
#include "shared/sheet/ifindex.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.MAXIFS = function (values) {
    var keep = kvIfsMask(arguments, 1);
    if (keep instanceof kvErrC) {
        return keep;
    }
    var xs = kvPick(values, keep);
    return xs instanceof kvErrC ? xs : kvExtreme(xs, 1);
};

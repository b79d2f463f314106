// MINIFS(range, criteria range, criterion, ...): the smallest number where every criterion holds.
#include "shared/sheet/criteria.as"
#include "shared/sheet/ifindex.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.MINIFS = function (values) {
    var keep = kvIfsMask(arguments, 1);
    if (keep instanceof kvErrC) {
        return keep;
    }
    var xs = kvPick(values, keep);
    return xs instanceof kvErrC ? xs : kvExtreme(xs, -1);
};

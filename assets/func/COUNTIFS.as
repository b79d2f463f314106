// COUNTIFS(range, criterion, ...): the number of places where every range meets its criterion.
#include "shared/sheet/criteria.as"
#include "shared/sheet/ifindex.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.COUNTIFS = function () {
    var keep = kvIfsMask(arguments, 0);
    return keep instanceof kvErrC ? keep : keep.length;
};

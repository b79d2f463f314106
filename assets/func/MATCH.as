// MATCH(value, array, [type]): 1 the last not above (sorted ascending), 0 the first equal
// (wildcards in text), -1 the last not below (sorted descending).
#include "shared/sheet/lookup.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.MATCH = function (v, g, type) {
    v = kvV(v);
    if (v instanceof kvErrC) {
        return v;
    }
    // an empty cell matches nothing, not even empty text
    if (v === undefined || v === null) {
        return kvError("#N/A");
    }
    var a = kvNumArgs([type], [1]);
    if (a instanceof kvErrC) {
        return a;
    }
    type = a[0];
    var k;
    if (kvRows(g) != 1 && kvCols(g) != 1) {
        return kvError("#N/A");
    }
    var entry = kvLookupKeys(g, kvCols(g) == 1);
    if (type == 0) {
        k = kvFind(v, entry);
    } else {
        k = type > 0 ? kvApproxUp(v, entry) : kvApprox(v, entry.keys, -1);
    }
    return k < 0 ? kvError("#N/A") : k + 1;
};

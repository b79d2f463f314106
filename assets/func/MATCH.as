// MATCH(value, array, [type]): 1 the last not above (sorted ascending), 0 the first equal
// (wildcards in text), -1 the last not below (sorted descending).
#include "shared/sheet/lookup.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.MATCH = function (v, g, type) {
    // a number sought exactly down a column whose keys this pass has indexed, as a lookup
    // filled down asks again and again: found at once
    if (type === 0 && typeof v == "number" && g instanceof kvRangeC && g.cols == 1) {
        var kept = g.kvDownKeys;
        if (kept != undefined && kept.pass === kvLib.kvPass && kept.first != undefined) {
            var at = kept.first["n" + v];
            return at == undefined ? kvError("#N/A") : at + 1;
        }
    }
    if (v instanceof kvRangeC || v instanceof kvArrC) {
        v = kvScalar(v);
    }
    if (v instanceof kvErrC) {
        return v;
    }
    // an empty cell matches nothing, not even empty text
    if (v === undefined || v === null) {
        return kvError("#N/A");
    }
    // a left-out or numeric type, as nearly every call has it, needs no coercion
    if (type === undefined) {
        type = 1;
    } else if (typeof type != "number") {
        var a = kvNumArgs([type], [1]);
        if (a instanceof kvErrC) {
            return a;
        }
        type = a[0];
    }
    var k;
    var range = g instanceof kvRangeC;
    var rows = range ? g.rows : kvRows(g);
    var cols = range ? g.cols : kvCols(g);
    if (rows != 1 && cols != 1) {
        return kvError("#N/A");
    }
    var entry = kvLookupKeys(g, cols == 1);
    if (type == 0) {
        // a number's index entry is found at once; anything else through kvFind
        k = typeof v == "number" && entry.first != undefined ? entry.first["n" + v] : kvFind(v, entry);
        if (k == undefined) {
            k = -1;
        }
    } else {
        k = type > 0 ? kvApproxUp(v, entry) : kvApprox(v, entry.keys, -1);
    }
    return k < 0 ? kvError("#N/A") : k + 1;
};

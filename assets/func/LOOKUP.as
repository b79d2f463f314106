// LOOKUP(value, lookup vector, [result vector]): the last value not above the value, in
// sorted data. With one two-dimensional array it looks along its longer side.
#include "shared/sheet/lookup.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.LOOKUP = function (v, g, res) {
    v = kvV(v);
    if (v instanceof kvErrC) {
        return v;
    }
    var rows = kvRows(g);
    var cols = kvCols(g);
    var keys = new Array();
    var out = new Array();
    var byColumn = cols > rows;
    var n = byColumn ? cols : rows;
    for (var i = 0; i < n; i++) {
        keys.push(byColumn ? kvAt(g, 0, i) : kvAt(g, i, 0));
        if (res === undefined) {
            out.push(byColumn ? kvAt(g, rows - 1, i) : kvAt(g, i, cols - 1));
        }
    }
    if (res !== undefined) {
        out = kvFlat(res);
    }
    var k = kvApprox(v, keys, 1);
    if (k < 0) {
        return kvError("#N/A");
    }
    if (k >= out.length) {
        return kvError("#N/A");
    }
    return out[k] === undefined ? 0 : out[k];
};

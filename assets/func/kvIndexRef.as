// kvIndexRef(reference, row, [column]): INDEX where a reference is taken (INDEX(...):INDEX(...),
// ROW(INDEX(...))): the cell, row or column it picks as a reference; over an array its value.
#include "shared/sheet/refs.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.kvIndexRef = function (g, r, c) {
    if (g instanceof kvErrC) {
        return g;
    }
    var given = arguments.length >= 3;
    if (c === undefined) {
        c = 0;
    }
    var a = kvNumArgs([r, c], [0, 0]);
    if (a instanceof kvErrC) {
        return a;
    }
    r = kvTrunc(a[0]);
    c = kvTrunc(a[1]);
    if (r < 0 || c < 0) {
        return kvError("#VALUE!");
    }
    var rows = kvRows(g);
    var cols = kvCols(g);
    if (!given && rows == 1 && cols > 1) {
        c = r;
        r = 1;
    }
    if (r == 0 && rows == 1) {
        r = 1;
    }
    if (c == 0 && cols == 1) {
        c = 1;
    }
    if (r > rows || c > cols || (!given && c == 0)) {
        return kvError("#REF!");
    }
    if (!kvIsRef(g)) {
        if (r == 0 || c == 0) {
            return kvPart(g, r, c);
        }
        var x = kvAt(g, r - 1, c - 1);
        return x === undefined ? 0 : x;
    }
    return kvRefView(g.sv, g.sn, g.r0 + (r == 0 ? 0 : r - 1), g.c0 + (c == 0 ? 0 : c - 1), r == 0 ? rows : 1,
                     c == 0 ? cols : 1);
};

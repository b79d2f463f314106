// kvRef(sheet, view, row, column, rows, columns): the area of a sheet at that place, read
// through the sheet's view (what OFFSET, CELL and ":" between calls take).
#include "shared/sheet/refs.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.kvRef = function (sn, sv, r0, c0, rows, cols) {
    if (!(sv instanceof kvRangeC)) {
        return kvError("#REF!");
    }
    return kvRefView(sv, sn, r0, c0, rows, cols);
};

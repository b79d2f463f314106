// VLOOKUP(value, table, column, [approximate]): looks down the first column.
#include "shared/sheet/lookup.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.VLOOKUP = function (v, g, col, approx) {
    return kvTableLookup(v, g, col, approx, true);
};

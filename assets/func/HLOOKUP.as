// HLOOKUP(value, table, row, [approximate]): looks along the first row.
#include "shared/sheet/lookup.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.HLOOKUP = function (v, g, row, approx) {
    return kvTableLookup(v, g, row, approx, false);
};

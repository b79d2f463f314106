// kvElemOf(anchor, id, row, column): a cell of an array formula's area takes its element of the result the top-left cell keeps.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
// anchor is the top-left cell's value, passed only so that this cell is calculated after it.
kvLib.kvElemOf = function (anchor, id, r, c) {
    if (kvLib.kvAreas == undefined || kvLib.kvAreas[id] == undefined) {
        return kvError("#N/A");
    }
    return kvElement(kvLib.kvAreas[id][0], r, c);
};

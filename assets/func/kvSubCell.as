// kvSubCell(v, name): the value of a formula holding SUBTOTAL, in the cell of that variable
// name; marks the cell so that the totals over it leave it out.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.kvSubCell = function (v, name) {
    if (_global.kvSubCells == undefined) {
        _global.kvSubCells = new Object();
    }
    _global.kvSubCells[name] = true;
    return v;
};

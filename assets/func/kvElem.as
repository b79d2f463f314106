// kvElem(v, row, column): the element an array formula's cell takes of the formula's result.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.kvElem = function (v, r, c) {
    if (!(v instanceof Array || v instanceof kvArrC)) {
        return v;
    }
    // a single row or column stretches over the whole area, as the spreadsheet shows it
    var rows = kvRows(v);
    var cols = kvCols(v);
    if (rows == 1) {
        r = 0;
    }
    if (cols == 1) {
        c = 0;
    }
    if (r >= rows || c >= cols) {
        return kvError("#N/A");
    }
    var x = kvAt(v, r, c);
    return x === undefined ? 0 : x;
};

// TRANSPOSE(array): its rows as columns; an empty cell becomes 0.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.TRANSPOSE = function (g) {
    if (g instanceof kvErrC) {
        return g;
    }
    var rows = kvRows(g);
    var cols = kvCols(g);
    var values = new Array();
    for (var c = 0; c < cols; c++) {
        for (var r = 0; r < rows; r++) {
            var x = kvAt(g, r, c);
            values.push(x === undefined ? 0 : x);
        }
    }
    return new kvArrC(cols, rows, values);
};

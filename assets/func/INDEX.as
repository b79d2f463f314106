// INDEX(array, row, [column]); a single index into a one-row array picks the column. 0 for
// row or column is allowed only where the array has one.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.INDEX = function (g, r, c) {
    if (g instanceof kvErrC) {
        return g;
    }
    var a = kvNumArgs([r, c], [0, 0]);
    if (a instanceof kvErrC) {
        return a;
    }
    r = kvTrunc(a[0]);
    c = kvTrunc(a[1]);
    var rows = kvRows(g);
    var cols = kvCols(g);
    if (arguments.length < 3 && rows == 1 && cols > 1) {
        c = r;
        r = 1;
    }
    if (r == 0 && rows == 1) {
        r = 1;
    }
    if (c == 0 && cols == 1) {
        c = 1;
    }
    if (r < 1 || c < 1 || r > rows || c > cols) {
        return kvError("#REF!");
    }
    var x = kvAt(g, r - 1, c - 1);
    return x === undefined ? 0 : x;
};

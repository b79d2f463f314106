// INDEX(array, row, [column]); a single index into a one-row array picks the column. 0 for
// row or column is allowed only where the array has one.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.INDEX = function (g, r, c) {
    if (g instanceof kvErrC) {
        return g;
    }
    r = r === undefined ? 0 : kvI(r);
    if (typeof r != "number") {
        return r;
    }
    c = c === undefined ? 0 : kvI(c);
    if (typeof c != "number") {
        return c;
    }
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

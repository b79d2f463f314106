// INDEX(array, row, [column]): one value, or with row or column 0 the whole column or row.
// A single index into a one-row array picks the column; 0 in a one-row (one-column) array is
// its row (column).
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.INDEX = function (g, r, c) {
    // a cell of a one-column range by a whole row number inside it, as a lookup asks
    if (c === undefined && typeof r == "number" && g instanceof kvRangeC && g.cols == 1 && r >= 1 && r <= g.rows &&
        r % 1 == 0) {
        var cells = g.b[g.o + r - 1];
        var y = cells == undefined ? undefined : kvTimeline[cells[0]];
        return y === undefined ? 0 : y;
    }
    if (g instanceof kvErrC) {
        return g;
    }
    if (c === undefined) {
        c = 0;
    }
    // numeric indexes, as nearly every call has them, need no coercion
    if (typeof r != "number" || typeof c != "number") {
        var a = kvNumArgs([r, c], [0, 0]);
        if (a instanceof kvErrC) {
            return a;
        }
        r = a[0];
        c = a[1];
    }
    r = kvTrunc(r);
    c = kvTrunc(c);
    if (r < 0 || c < 0) {
        return kvError("#VALUE!");
    }
    var range = g instanceof kvRangeC;
    var rows = range ? g.rows : kvRows(g);
    var cols = range ? g.cols : kvCols(g);
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
    // a row alone picks nothing in a range of several columns; of an array it picks the row
    if (r > rows || c > cols || (range && arguments.length < 3 && c == 0)) {
        return kvError("#REF!");
    }
    if (r == 0 || c == 0) {
        // a whole row or column (or the whole array): a range stays a range
        return kvPart(g, r, c);
    }
    var x;
    if (range) {
        var row = g.b[g.o + r - 1];
        x = row == undefined ? undefined : kvTimeline[row[c - 1]];
    } else {
        x = kvAt(g, r - 1, c - 1);
    }
    return x === undefined ? 0 : x;
};

// Ranges and array constants: their size, their values by place or in a row, one value of them.

// An array constant {1,2;3,4}: values row by row.
_global.kvArrC = function (rows, cols, values) {
    this.rows = rows;
    this.cols = cols;
    this.values = values;
};

kvLib.kvArray = function () {
    var values = new Array();
    for (var i = 2; i < arguments.length; i++) {
        values.push(arguments[i]);
    }
    return new kvArrC(arguments[0], arguments[1], values);
};

// A range is an Array of rows of cell variable names (read on kvTimeline); an array constant
// a kvArrC.
_global.kvIsGrid = function (v) {
    return v instanceof Array || v instanceof kvArrC;
};

_global.kvRows = function (g) {
    if (g instanceof Array) {
        return g.length;
    }
    return g instanceof kvArrC ? g.rows : 1;
};

_global.kvCols = function (g) {
    if (g instanceof Array) {
        return g.length > 0 ? g[0].length : 0;
    }
    return g instanceof kvArrC ? g.cols : 1;
};

_global.kvAt = function (g, r, c) {
    if (g instanceof Array) {
        return kvTimeline[g[r][c]];
    }
    if (g instanceof kvArrC) {
        return g.values[r * g.cols + c];
    }
    return g;
};

// Every value of a range, an array constant or a single value, row by row.
_global.kvFlat = function (g) {
    var out = new Array();
    if (g instanceof Array) {
        for (var r = 0; r < g.length; r++) {
            var row = g[r];
            for (var c = 0; c < row.length; c++) {
                out.push(kvTimeline[row[c]]);
            }
        }
    } else if (g instanceof kvArrC) {
        out = g.values.slice(0);
    } else {
        out.push(g);
    }
    return out;
};

// A grid where one value is wanted: a single cell is its value, an array constant its first
// value, a larger range #VALUE!.
_global.kvScalar = function (v) {
    if (v instanceof Array) {
        if (v.length == 1 && v[0].length == 1) {
            return kvTimeline[v[0][0]];
        }
        return kvError("#VALUE!");
    }
    if (v instanceof kvArrC) {
        return v.values[0];
    }
    return v;
};

// Row r and column c (from 1) of a range or array, 0 standing for all of them: a range of the
// same cells (rows of their names) or an array of the same values.
_global.kvPart = function (g, r, c) {
    var rows = kvRows(g);
    var cols = kvCols(g);
    var r0 = r == 0 ? 0 : r - 1;
    var r1 = r == 0 ? rows : r;
    var c0 = c == 0 ? 0 : c - 1;
    var c1 = c == 0 ? cols : c;
    if (g instanceof Array) {
        var part = new Array();
        for (var i = r0; i < r1; i++) {
            part.push(g[i].slice(c0, c1));
        }
        return part;
    }
    var values = new Array();
    for (var j = r0; j < r1; j++) {
        for (var k = c0; k < c1; k++) {
            values.push(g.values[j * g.cols + k]);
        }
    }
    return new kvArrC(r1 - r0, c1 - c0, values);
};

// The element of an array formula's result that the cell at offsets r, c of its area shows: a
// single row or column stretches over the area, as the spreadsheet shows it; past the result's
// end #N/A; a single value everywhere.
_global.kvElement = function (v, r, c) {
    if (!(v instanceof Array || v instanceof kvArrC)) {
        return v;
    }
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

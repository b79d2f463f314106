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

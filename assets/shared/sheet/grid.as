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

// A range is a view (kvRangeC) on a band of rows of cell variable names (read on kvTimeline)
// that the ranges over the same columns of a sheet share: row r of the range is b[o + r], and
// a row the band does not hold (undefined, or past its end) is a row of empty cells. The
// movie's model code defines the constructor; this one serves a library used without it.
if (_global.kvRangeC == undefined) {
    _global.kvRangeC = function (b, o, rows, cols) {
        this.b = b;
        this.o = o;
        this.rows = rows;
        this.cols = cols;
    };
}

// An array constant is a kvArrC.
_global.kvIsGrid = function (v) {
    return v instanceof kvRangeC || v instanceof kvArrC;
};

_global.kvRows = function (g) {
    if (g instanceof kvRangeC) {
        return g.rows;
    }
    return g instanceof kvArrC ? g.rows : 1;
};

_global.kvCols = function (g) {
    if (g instanceof kvRangeC) {
        return g.cols;
    }
    return g instanceof kvArrC ? g.cols : 1;
};

_global.kvAt = function (g, r, c) {
    if (g instanceof kvRangeC) {
        var row = g.b[g.o + r];
        return row == undefined ? undefined : kvTimeline[row[c]];
    }
    if (g instanceof kvArrC) {
        return g.values[r * g.cols + c];
    }
    return g;
};

// The rows of a range a band holds: the rest of its rows are empty.
_global.kvBandRows = function (g) {
    var n = g.b.length - g.o;
    return n < g.rows ? (n > 0 ? n : 0) : g.rows;
};

// Every value of a range, an array constant or a single value, row by row.
_global.kvFlat = function (g) {
    var out = new Array();
    if (g instanceof kvRangeC) {
        var b = g.b;
        var o = g.o;
        var cols = g.cols;
        var r = o;
        var last = o + kvBandRows(g);
        var at = 0;
        var row, c;
        // the timeline as a local: a global name is looked up on the timeline first
        var cells = kvTimeline;
        while (r < last) {
            row = b[r++];
            if (row == undefined) {
                at += cols;
                continue;
            }
            // the end tested after the first column: most ranges have one
            c = 0;
            do {
                out[at++] = cells[row[c]];
            } while (++c < cols);
        }
        // the empty rows after the band's end
        if (out.length < g.rows * cols) {
            out.length = g.rows * cols;
        }
    } else if (g instanceof kvArrC) {
        out = g.values.slice(0);
    } else {
        out.push(g);
    }
    return out;
};

// kvFlat of a range, kept on it for the recalculation pass (ifindex.as says why a pass may
// keep it): the *IFS functions read the same ranges once a row, and a lookup and a conditional
// sum over one column read it once between them.
_global.kvKeptFlat = function (g) {
    if (typeof g != "object" || g == null || kvLib.kvPass == undefined) {
        return kvFlat(g);
    }
    if (g.kvFlatPass !== kvLib.kvPass) {
        g.kvFlatValues = kvFlat(g);
        g.kvFlatPass = kvLib.kvPass;
    }
    return g.kvFlatValues;
};

// A grid where one value is wanted: a single cell is its value, an array constant its first
// value, a larger range #VALUE!.
_global.kvScalar = function (v) {
    if (v instanceof kvRangeC) {
        if (v.rows == 1 && v.cols == 1) {
            return kvAt(v, 0, 0);
        }
        return kvError("#VALUE!");
    }
    if (v instanceof kvArrC) {
        return v.values[0];
    }
    return v;
};

// Row r and column c (from 1) of a range or array, 0 standing for all of them: a range of the
// same cells or an array of the same values. Whole rows of a range stay on its band.
_global.kvPart = function (g, r, c) {
    var rows = kvRows(g);
    var cols = kvCols(g);
    var r0 = r == 0 ? 0 : r - 1;
    var r1 = r == 0 ? rows : r;
    var c0 = c == 0 ? 0 : c - 1;
    var c1 = c == 0 ? cols : c;
    if (g instanceof kvRangeC) {
        if (c0 == 0 && c1 == cols) {
            return new kvRangeC(g.b, g.o + r0, r1 - r0, cols);
        }
        var part = new Array();
        var end = kvBandRows(g);
        for (var i = r0; i < r1 && i < end; i++) {
            var row = g.b[g.o + i];
            part.push(row == undefined ? undefined : row.slice(c0, c1));
        }
        return new kvRangeC(part, 0, r1 - r0, c1 - c0);
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
    if (!(v instanceof kvRangeC || v instanceof kvArrC)) {
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

// Least squares over known y and x values, for LINEST and TREND.

// The numbers of a range or array in reading order, or the error: text, logical values and
// blanks are #VALUE! here, as the regression functions find them.
_global.kvRegressValues = function (g) {
    var values = kvFlat(g);
    for (var i = 0; i < values.length; i++) {
        if (values[i] instanceof kvErrC) {
            return values[i];
        }
        if (typeof values[i] != "number") {
            return kvError("#VALUE!");
        }
    }
    return values;
};

// {y, x (rows of the k variables' values per observation), n, k, down} of the known values:
// y a column (the variables then columns of x) or a row (the variables rows); x left out is
// 1, 2, 3 ... The error when the sizes do not fit.
_global.kvRegressData = function (ky, kx) {
    var y = kvRegressValues(ky);
    if (y instanceof kvErrC) {
        return y;
    }
    var n = y.length;
    var down = kvCols(ky) == 1;
    var d = new Object();
    d.y = y;
    d.n = n;
    d.down = down;
    d.x = new Array();
    if (kx === undefined) {
        d.k = 1;
        for (var i = 0; i < n; i++) {
            d.x.push([i + 1]);
        }
        return d;
    }
    var flat = kvRegressValues(kx);
    if (flat instanceof kvErrC) {
        return flat;
    }
    var rows = kvRows(kx);
    var cols = kvCols(kx);
    var k;
    var byRow;
    if (rows * cols == n) {
        k = 1;
        byRow = cols != 1 || rows == 1;
    } else if (down && rows == n) {
        k = cols;
        byRow = true;
    } else if (!down && cols == n) {
        k = rows;
        byRow = false;
    } else {
        return kvError("#REF!");
    }
    d.k = k;
    for (var o = 0; o < n; o++) {
        var row = new Array();
        for (var j = 0; j < k; j++) {
            row.push(k == 1 ? flat[o] : (byRow ? flat[o * cols + j] : flat[j * cols + o]));
        }
        d.x.push(row);
    }
    return d;
};

// The solution of the square system a z = b (a and b copied), null when it is singular.
_global.kvSolveLinear = function (a, b) {
    var m = b.length;
    var s = new Array();
    for (var i = 0; i < m; i++) {
        s.push(a[i].concat([b[i]]));
    }
    for (var c = 0; c < m; c++) {
        var p = c;
        for (var r = c + 1; r < m; r++) {
            if (Math.abs(s[r][c]) > Math.abs(s[p][c])) {
                p = r;
            }
        }
        if (Math.abs(s[p][c]) < 1e-300) {
            return null;
        }
        var t = s[c];
        s[c] = s[p];
        s[p] = t;
        for (var q = 0; q < m; q++) {
            if (q != c) {
                var f = s[q][c] / s[c][c];
                for (var e = c; e <= m; e++) {
                    s[q][e] -= f * s[c][e];
                }
            }
        }
    }
    var z = new Array();
    for (var w = 0; w < m; w++) {
        z.push(s[w][m] / s[w][w]);
    }
    return z;
};

// The fit of data (kvRegressData) with an intercept unless constant is false: {beta (the k
// slopes, then the intercept), inverse (the normal matrix's inverse), m (its size)}, or the
// error when the values do not determine it.
_global.kvRegressFit = function (d, constant) {
    var m = d.k + (constant ? 1 : 0);
    var a = new Array();
    var b = new Array();
    for (var i = 0; i < m; i++) {
        a.push(new Array());
        for (var j = 0; j < m; j++) {
            a[i].push(0);
        }
        b.push(0);
    }
    for (var o = 0; o < d.n; o++) {
        var row = constant ? d.x[o].concat([1]) : d.x[o];
        for (var p = 0; p < m; p++) {
            b[p] += row[p] * d.y[o];
            for (var q = 0; q < m; q++) {
                a[p][q] += row[p] * row[q];
            }
        }
    }
    var beta = kvSolveLinear(a, b);
    if (beta == null) {
        return kvError("#NUM!");
    }
    var fit = new Object();
    fit.beta = constant ? beta : beta.concat([0]);
    fit.m = m;
    fit.inverse = new Array();
    for (var c = 0; c < m; c++) {
        var unit = new Array();
        for (var u = 0; u < m; u++) {
            unit.push(u == c ? 1 : 0);
        }
        fit.inverse.push(kvSolveLinear(a, unit));
    }
    return fit;
};

// The fitted value at x (the k values of one observation).
_global.kvRegressAt = function (fit, x) {
    var v = fit.beta[fit.beta.length - 1];
    for (var j = 0; j < x.length; j++) {
        v += fit.beta[j] * x[j];
    }
    return v;
};

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

// Applies the reflection I - 2 v v' / vv to the values of y from index at on.
_global.kvReflect = function (v, vv, at, y) {
    var dot = 0;
    for (var t = 0; t < v.length; t++) {
        dot += v[t] * y[at + t];
    }
    var f = 2 * dot / vv;
    for (var u = 0; u < v.length; u++) {
        y[at + u] -= f * v[u];
    }
};

// The solution z of r z = y over the first k rows of the upper triangle r.
_global.kvBackSolve = function (r, y, z, k) {
    for (var p = k - 1; p >= 0; p--) {
        var sum = y[p];
        for (var q = p + 1; q < k; q++) {
            sum -= r[p][q] * z[q];
        }
        z[p] = sum / r[p][p];
    }
};

// The fit of data (kvRegressData) with an intercept unless constant is false: {beta (the k
// slopes, then the intercept), inverse (the normal matrix's inverse, the intercept last), m
// (its size), ssResid and ssTotal (about the mean, or about 0 without an intercept)}, or the error when the values do not determine it. Least squares through a
// Householder QR decomposition of the values, centred on their means when there is an
// intercept: the normal equations would square the condition of the data and lose half the
// digits of a polynomial fit.
_global.kvRegressFit = function (d, constant) {
    var n = d.n;
    var k = d.k;
    var xMean = new Array();
    var yMean = 0;
    for (var j = 0; j < k; j++) {
        xMean.push(0);
    }
    if (constant) {
        for (var o = 0; o < n; o++) {
            yMean += d.y[o];
            for (var j1 = 0; j1 < k; j1++) {
                xMean[j1] += d.x[o][j1];
            }
        }
        yMean /= n;
        for (var j2 = 0; j2 < k; j2++) {
            xMean[j2] /= n;
        }
    }
    var a = new Array();
    var y = new Array();
    for (var i = 0; i < n; i++) {
        var row = new Array();
        for (var j3 = 0; j3 < k; j3++) {
            row.push(d.x[i][j3] - xMean[j3]);
        }
        a.push(row);
        y.push(d.y[i] - yMean);
    }
    for (var c = 0; c < k; c++) {
        if (c >= n) {
            return kvError("#NUM!");
        }
        var norm = 0;
        for (var r = c; r < n; r++) {
            norm += a[r][c] * a[r][c];
        }
        norm = Math.sqrt(norm);
        var whole = 0;
        for (var r0 = 0; r0 < n; r0++) {
            whole = Math.max(whole, Math.abs(a[r0][c]));
        }
        // a column that the columns before it (nearly) make: no single solution
        if (norm == 0 || norm <= 1e-14 * whole * Math.sqrt(n)) {
            return kvError("#NUM!");
        }
        var alpha = a[c][c] > 0 ? -norm : norm;
        var v = new Array();
        for (var r1 = c; r1 < n; r1++) {
            v.push(a[r1][c]);
        }
        v[0] -= alpha;
        var vv = 0;
        for (var t = 0; t < v.length; t++) {
            vv += v[t] * v[t];
        }
        if (vv != 0) {
            for (var cc = c; cc < k; cc++) {
                var dot = 0;
                for (var t1 = 0; t1 < v.length; t1++) {
                    dot += v[t1] * a[c + t1][cc];
                }
                var f = 2 * dot / vv;
                for (var t2 = 0; t2 < v.length; t2++) {
                    a[c + t2][cc] -= f * v[t2];
                }
            }
            kvReflect(v, vv, c, y);
        }
        a[c][c] = alpha;
    }
    // R beta = Q'y, and R's inverse, by substitution from the last row up
    var beta = new Array(k);
    var rinv = new Array();
    for (var e = 0; e < k; e++) {
        rinv.push(new Array(k));
    }
    kvBackSolve(a, y, beta, k);
    for (var p = k - 1; p >= 0; p--) {
        for (var col = 0; col < k; col++) {
            var z = p == col ? 1 : 0;
            for (var q1 = p + 1; q1 < k; q1++) {
                z -= a[p][q1] * (q1 <= col ? rinv[q1][col] : 0);
            }
            rinv[p][col] = col < p ? 0 : z / a[p][p];
        }
    }
    // (X'X)^-1 = R^-1 R^-T over the slopes; the intercept's row from the means
    var m = k + (constant ? 1 : 0);
    var inverse = new Array();
    for (var u = 0; u < m; u++) {
        inverse.push(new Array(m));
    }
    for (var u1 = 0; u1 < k; u1++) {
        for (var u2 = 0; u2 < k; u2++) {
            var s2 = 0;
            for (var l = 0; l < k; l++) {
                s2 += rinv[u1][l] * rinv[u2][l];
            }
            inverse[u1][u2] = s2;
        }
    }
    var intercept = 0;
    if (constant) {
        intercept = yMean;
        var corner = 1 / n;
        for (var w = 0; w < k; w++) {
            intercept -= beta[w] * xMean[w];
            var side = 0;
            for (var w1 = 0; w1 < k; w1++) {
                side -= inverse[w][w1] * xMean[w1];
                corner += xMean[w] * inverse[w][w1] * xMean[w1];
            }
            inverse[w][k] = side;
            inverse[k][w] = side;
        }
        inverse[k][k] = corner;
    }
    var fit = new Object();
    // the sums of squares from the decomposition: what the fit leaves over is the length of
    // Q'y past the k slopes, free of the cancellation of large fitted values
    fit.ssResid = 0;
    for (var z1 = k; z1 < n; z1++) {
        fit.ssResid += y[z1] * y[z1];
    }
    fit.ssTotal = 0;
    for (var z2 = 0; z2 < n; z2++) {
        fit.ssTotal += (d.y[z2] - yMean) * (d.y[z2] - yMean);
    }
    fit.beta = beta.concat([intercept]);
    fit.m = m;
    fit.inverse = inverse;
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

// TREND(known y, [known x], [new x], [constant]): the least-squares line's (plane's) values at
// the new x, shaped as they are (the known x when left out).
#include "shared/sheet/regress.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.TREND = function (ky, kx, nx, constant) {
    var c = constant === undefined ? true : kvB(constant);
    if (c instanceof kvErrC) {
        return c;
    }
    var d = kvRegressData(ky, kx);
    if (d instanceof kvErrC) {
        return d;
    }
    var fit = kvRegressFit(d, c);
    if (fit instanceof kvErrC) {
        return fit;
    }
    if (nx === undefined) {
        var known = new Array();
        for (var o = 0; o < d.n; o++) {
            known.push(kvRegressAt(fit, d.x[o]));
        }
        return new kvArrC(kvRows(ky), kvCols(ky), known);
    }
    var flat = kvRegressValues(nx);
    if (flat instanceof kvErrC) {
        return flat;
    }
    var rows = kvRows(nx);
    var cols = kvCols(nx);
    var out = new Array();
    if (d.k == 1) {
        for (var i = 0; i < flat.length; i++) {
            out.push(kvRegressAt(fit, [flat[i]]));
        }
        return new kvArrC(rows, cols, out);
    }
    // several variables: one new observation per row (per column when y is a row)
    var count = d.down ? rows : cols;
    if ((d.down ? cols : rows) != d.k) {
        return kvError("#REF!");
    }
    for (var p = 0; p < count; p++) {
        var x = new Array();
        for (var j = 0; j < d.k; j++) {
            x.push(d.down ? flat[p * cols + j] : flat[j * cols + p]);
        }
        out.push(kvRegressAt(fit, x));
    }
    return d.down ? new kvArrC(count, 1, out) : new kvArrC(1, count, out);
};

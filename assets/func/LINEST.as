// LINEST(known y, [known x], [constant], [statistics]): the least-squares line (plane) as a row
// of the slopes, last variable first, then the intercept; with statistics four rows more: the
// standard errors, r squared and the standard error of y, F and the degrees of freedom, the
// regression and residual sums of squares (#N/A where a row has no more values).
#include "shared/sheet/regress.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.LINEST = function (ky, kx, constant, statistics) {
    var c = constant === undefined ? true : kvB(constant);
    var st = statistics === undefined ? false : kvB(statistics);
    if (c instanceof kvErrC) {
        return c;
    }
    if (st instanceof kvErrC) {
        return st;
    }
    var d = kvRegressData(ky, kx);
    if (d instanceof kvErrC) {
        return d;
    }
    var fit = kvRegressFit(d, c);
    if (fit instanceof kvErrC) {
        return fit;
    }
    var k = d.k;
    var cols = k + 1;
    var values = new Array();
    for (var j = k - 1; j >= 0; j--) {
        values.push(fit.beta[j]);
    }
    values.push(fit.beta[k]);
    if (!st) {
        return new kvArrC(1, cols, values);
    }
    var ssResid = fit.ssResid;
    var ssReg = fit.ssTotal - ssResid;
    var df = d.n - k - (c ? 1 : 0);
    var na = kvError("#N/A");
    var seY = df > 0 ? Math.sqrt(ssResid / df) : na;
    for (var s = k - 1; s >= 0; s--) {
        values.push(df > 0 ? Math.sqrt(fit.inverse[s][s]) * seY : na);
    }
    values.push(!c ? na : (df > 0 ? Math.sqrt(fit.inverse[k][k]) * seY : na));
    values.push(ssReg + ssResid == 0 ? na : ssReg / (ssReg + ssResid));
    values.push(seY);
    values.push(df > 0 && ssResid != 0 ? ssReg / k / (ssResid / df) : na);
    values.push(df);
    values.push(ssReg);
    values.push(ssResid);
    // the rows past the third hold two values each
    var out = new Array();
    for (var i = 0; i < values.length; i++) {
        out.push(values[i]);
        if (i >= 2 * cols && (i - 2 * cols) % 2 == 1) {
            for (var fill = 2; fill < cols; fill++) {
                out.push(na);
            }
        }
    }
    return new kvArrC(5, cols, out);
};

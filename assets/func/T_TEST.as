// T.TEST(values 1, values 2, tails, type): the probability of Student's t test; type 1 paired,
// 2 two samples of equal variance, 3 of unequal variance.
#include "shared/sheet/dist.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.T_TEST = function (g1, g2, tails, type) {
    var a = kvNumArgs([tails, type], [null, null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var t = kvTrunc(a[0]);
    var kind = kvTrunc(a[1]);
    if ((t != 1 && t != 2) || kind < 1 || kind > 3) {
        return kvError("#NUM!");
    }
    var v1 = kvFlat(g1);
    var v2 = kvFlat(g2);
    var x = new Array();
    var y = new Array();
    if (kind == 1) {
        if (v1.length != v2.length) {
            return kvError("#N/A");
        }
        // pairs where both are numbers
        for (var i = 0; i < v1.length; i++) {
            if (v1[i] instanceof kvErrC) {
                return v1[i];
            }
            if (v2[i] instanceof kvErrC) {
                return v2[i];
            }
            if (typeof v1[i] == "number" && typeof v2[i] == "number") {
                x.push(v1[i] - v2[i]);
            }
        }
        if (x.length < 2) {
            return kvError("#DIV/0!");
        }
        var md = kvMean(x);
        var vd = kvVar(x, false);
        if (vd == 0) {
            return kvError("#DIV/0!");
        }
        return t * (1 - kvTcdf(Math.abs(md) / Math.sqrt(vd / x.length), x.length - 1));
    }
    x = kvNums([g1], 0, false);
    y = kvNums([g2], 0, false);
    if (x instanceof kvErrC) {
        return x;
    }
    if (y instanceof kvErrC) {
        return y;
    }
    var n1 = x.length;
    var n2 = y.length;
    if (n1 < 2 || n2 < 2) {
        return kvError("#DIV/0!");
    }
    var s1 = kvVar(x, false);
    var s2 = kvVar(y, false);
    var diff = Math.abs(kvMean(x) - kvMean(y));
    var stat;
    var df;
    if (kind == 2) {
        var pooled = ((n1 - 1) * s1 + (n2 - 1) * s2) / (n1 + n2 - 2);
        stat = diff / Math.sqrt(pooled * (1 / n1 + 1 / n2));
        df = n1 + n2 - 2;
    } else {
        var e1 = s1 / n1;
        var e2 = s2 / n2;
        stat = diff / Math.sqrt(e1 + e2);
        df = (e1 + e2) * (e1 + e2) / (e1 * e1 / (n1 - 1) + e2 * e2 / (n2 - 1));
    }
    if (!(stat - stat == 0)) {
        return kvError("#DIV/0!");
    }
    return t * (1 - kvTcdf(stat, df));
};

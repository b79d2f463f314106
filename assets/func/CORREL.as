// CORREL(range1, range2): the correlation coefficient of the pairs of numbers.
#include "shared/sheet/stats.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.CORREL = function (ya, xa) {
    var p = kvPairs(ya, xa);
    if (p instanceof kvErrC) {
        return p;
    }
    var r = kvRegress(p);
    if (r.sxx == 0 || r.syy == 0) {
        return kvError("#DIV/0!");
    }
    return r.sxy / Math.sqrt(r.sxx * r.syy);
};

// RSQ(known y, known x): the square of the correlation coefficient.
#include "shared/sheet/stats.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.RSQ = function (ya, xa) {
    var p = kvPairs(ya, xa);
    if (p instanceof kvErrC) {
        return p;
    }
    var r = kvRegress(p);
    if (r.sxx == 0 || r.syy == 0) {
        return kvError("#DIV/0!");
    }
    return r.sxy * r.sxy / (r.sxx * r.syy);
};

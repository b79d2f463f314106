// INTERCEPT(known y, known x): where the regression line crosses the y axis.
#include "shared/sheet/stats.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.INTERCEPT = function (ya, xa) {
    var p = kvPairs(ya, xa);
    if (p instanceof kvErrC) {
        return p;
    }
    var r = kvRegress(p);
    if (r.sxx == 0) {
        return kvError("#DIV/0!");
    }
    return r.my - r.sxy / r.sxx * r.mx;
};

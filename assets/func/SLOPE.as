// SLOPE(known y, known x): the slope of the regression line.
#include "shared/sheet/stats.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.SLOPE = function (ya, xa) {
    var p = kvPairs(ya, xa);
    if (p instanceof kvErrC) {
        return p;
    }
    var r = kvRegress(p);
    if (r.sxx == 0) {
        return kvError("#DIV/0!");
    }
    return r.sxy / r.sxx;
};

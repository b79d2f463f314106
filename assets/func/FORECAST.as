// FORECAST(x, known ys, known xs): the linear trend at x.
#include "shared/sheet/stats.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.FORECAST = function (x, ya, xa) {
    var a = kvNumArgs([x], [null]);
    if (a instanceof kvErrC) {
        return a;
    }
    x = a[0];
    var p = kvPairs(ya, xa);
    if (p instanceof kvErrC) {
        return p;
    }
    var r = kvRegress(p);
    if (r.sxx == 0) {
        return kvError("#DIV/0!");
    }
    var b = r.sxy / r.sxx;
    return r.my - b * r.mx + b * x;
};

// Population covariance.
#include "shared/sheet/stats.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.COVAR = function (ya, xa) {
    var p = kvPairs(ya, xa);
    if (p instanceof kvErrC) {
        return p;
    }
    if (p.x.length == 0) {
        return kvError("#DIV/0!");
    }
    return kvRegress(p).sxy / p.x.length;
};

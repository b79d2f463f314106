// WEIBULL.DIST(x, alpha, beta, cumulative): the Weibull distribution.
#include "shared/sheet/dist.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.WEIBULL_DIST = function () {
    var a = kvDistArgs(arguments, 3);
    if (a instanceof kvErrC) {
        return a;
    }
    var cumulative = kvB(arguments[3]);
    if (cumulative instanceof kvErrC) {
        return cumulative;
    }
    var x = a[0];
    var k = a[1];
    var l = a[2];
    if (x < 0 || k <= 0 || l <= 0) {
        return kvError("#NUM!");
    }
    var z = Math.pow(x / l, k);
    return cumulative ? 1 - Math.exp(-z) : kvFin(k / l * Math.pow(x / l, k - 1) * Math.exp(-z));
};

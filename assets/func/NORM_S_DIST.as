// NORM.S.DIST(z, cumulative): the standard normal distribution.
#include "shared/sheet/dist.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.NORM_S_DIST = function () {
    var a = kvDistArgs(arguments, 1);
    if (a instanceof kvErrC) {
        return a;
    }
    var cumulative = kvB(arguments[1]);
    if (cumulative instanceof kvErrC) {
        return cumulative;
    }
    var z = a[0];
    return cumulative ? kvPhi(z) : Math.exp(-z * z / 2) / Math.sqrt(2 * Math.PI);
};

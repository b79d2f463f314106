// NORMDIST(x, mean, standard deviation, cumulative)
#include "shared/sheet/normal.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.NORMDIST = function () {
    var a = kvNumArgs(arguments, [null, null, null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var cumulative = kvB(arguments[3]);
    if (cumulative instanceof kvErrC) {
        return cumulative;
    }
    if (a[2] <= 0) {
        return kvError("#NUM!");
    }
    var z = (a[0] - a[1]) / a[2];
    if (cumulative) {
        return kvPhi(z);
    }
    return Math.exp(-z * z / 2) / Math.sqrt(2 * Math.PI) / a[2];
};

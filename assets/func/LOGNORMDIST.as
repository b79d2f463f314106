// LOGNORMDIST(x, mean, standard deviation): the cumulative lognormal distribution.
#include "shared/sheet/dist.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.LOGNORMDIST = function () {
    var a = kvDistArgs(arguments, 3);
    if (a instanceof kvErrC) {
        return a;
    }
    var x = a[0];
    var m = a[1];
    var s = a[2];
    if (x <= 0 || s <= 0) {
        return kvError("#NUM!");
    }
    var z = (Math.log(x) - m) / s;
    if (true) {
        return kvPhi(z);
    }
    return Math.exp(-z * z / 2) / (x * s * Math.sqrt(2 * Math.PI));
};

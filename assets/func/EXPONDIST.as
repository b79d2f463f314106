// EXPONDIST(x, lambda, cumulative): the exponential distribution.
#include "shared/sheet/dist.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.EXPONDIST = function () {
    var a = kvDistArgs(arguments, 2);
    if (a instanceof kvErrC) {
        return a;
    }
    var cumulative = kvB(arguments[2]);
    if (cumulative instanceof kvErrC) {
        return cumulative;
    }
    var x = a[0];
    var l = a[1];
    if (x < 0 || l <= 0) {
        return kvError("#NUM!");
    }
    return cumulative ? 1 - Math.exp(-l * x) : l * Math.exp(-l * x);
};

// STANDARDIZE(x, mean, standard deviation): how many deviations x lies from the mean.
#include "shared/sheet/dist.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.STANDARDIZE = function () {
    var a = kvDistArgs(arguments, 3);
    if (a instanceof kvErrC) {
        return a;
    }
    return a[2] <= 0 ? kvError("#NUM!") : (a[0] - a[1]) / a[2];
};

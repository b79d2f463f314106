// GAMMA(x): the gamma function; #NUM! at 0 and the negative whole numbers.
#include "shared/sheet/dist.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.GAMMA = function () {
    var a = kvDistArgs(arguments, 1);
    if (a instanceof kvErrC) {
        return a;
    }
    return kvFin(kvGamma(a[0]));
};

// GAMMALN(x): the natural logarithm of the gamma function, for x > 0.
#include "shared/sheet/dist.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.GAMMALN = function () {
    var a = kvDistArgs(arguments, 1);
    if (a instanceof kvErrC) {
        return a;
    }
    return a[0] <= 0 ? kvError("#NUM!") : kvFin(kvGammaLn(a[0]));
};

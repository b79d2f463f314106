// GAMMALN.PRECISE(x): as GAMMALN.
#include "shared/sheet/dist.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.GAMMALN_PRECISE = function () {
    var a = kvDistArgs(arguments, 1);
    if (a instanceof kvErrC) {
        return a;
    }
    return a[0] <= 0 ? kvError("#NUM!") : kvFin(kvGammaLn(a[0]));
};

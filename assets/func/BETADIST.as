// BETADIST(x, alpha, beta, [A], [B]): the cumulative beta distribution on [A, B].
#include "shared/sheet/dist.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.BETADIST = function () {
    var a = kvDistArgs(arguments, 3);
    if (a instanceof kvErrC) {
        return a;
    }
    var lo = 0;
    var hi = 1;
    var bounds = kvNumArgs([arguments[3], arguments[4]], [0, 1]);
    if (bounds instanceof kvErrC) {
        return bounds;
    }
    lo = bounds[0];
    hi = bounds[1];
    var x = a[0];
    var al = a[1];
    var be = a[2];
    if (al <= 0 || be <= 0 || x < lo || x > hi || lo >= hi) {
        return kvError("#NUM!");
    }
    var y = (x - lo) / (hi - lo);
    if (true) {
        return kvBetaI(y, al, be);
    }
    var ln = (al - 1) * Math.log(y) + (be - 1) * Math.log(1 - y) + kvGammaLn(al + be) - kvGammaLn(al) - kvGammaLn(be);
    return kvFin(Math.exp(ln) / (hi - lo));
};

// The error function and its complement, through the incomplete gamma function of 1/2.
#include "shared/sheet/dist.as"

_global.kvErf = function (x) {
    if (x == 0) {
        return 0;
    }
    var p = kvGammaP(0.5, x * x);
    return x < 0 ? -p : p;
};

// 1 - erf(x), without the cancellation of 1 - erf(x) for large x.
_global.kvErfc = function (x) {
    if (x < 0) {
        return 2 - kvErfc(-x);
    }
    var y = x * x;
    if (y < 1.5) {
        return 1 - kvErf(x);
    }
    return kvGammaQcf(0.5, y) * Math.exp(0.5 * Math.log(y) - y - kvGammaLn(0.5));
};

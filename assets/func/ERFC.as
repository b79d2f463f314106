// ERFC(x): the complementary error function, 1 - ERF(x).
#include "shared/sheet/erf.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ERFC = function (x) {
    var a = kvNumArgs([x], [null]);
    return a instanceof kvErrC ? a : kvErfc(a[0]);
};

// ERFC.PRECISE(x): the complementary error function.
#include "shared/sheet/erf.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ERFC_PRECISE = function (x) {
    var a = kvNumArgs([x], [null]);
    return a instanceof kvErrC ? a : kvErfc(a[0]);
};

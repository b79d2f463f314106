// ERF.PRECISE(x): the error function.
#include "shared/sheet/erf.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ERF_PRECISE = function (x) {
    var a = kvNumArgs([x], [null]);
    return a instanceof kvErrC ? a : kvErf(a[0]);
};

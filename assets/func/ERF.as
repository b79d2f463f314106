// ERF(lower, [upper]): the error function at lower, or its integral from lower to upper.
#include "shared/sheet/erf.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ERF = function (lower, upper) {
    var a = upper === undefined ? kvNumArgs([lower], [null]) : kvNumArgs([lower, upper], [null, null]);
    if (a instanceof kvErrC) {
        return a;
    }
    return a.length == 1 ? kvErf(a[0]) : kvErf(a[1]) - kvErf(a[0]);
};

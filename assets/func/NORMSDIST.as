// NORMSDIST(z): the standard normal distribution function.
#include "shared/sheet/normal.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.NORMSDIST = function (v) {
    var a = kvNumArgs([v], [null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var z = a[0];
    return kvPhi(z);
};

// MID(text, start, count): count characters from position start on.
#include "shared/sheet/text.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.MID = function (v, start, n) {
    var s = kvS(v);
    if (typeof s != "string") {
        return s;
    }
    var a = kvNumArgs([start, n], [null, null]);
    if (a instanceof kvErrC) {
        return a;
    }
    start = kvCountOf(a[0], 1, s.length + 1);
    if (start instanceof kvErrC) {
        return start;
    }
    n = kvCountOf(a[1], 0, s.length);
    if (n instanceof kvErrC) {
        return n;
    }
    return s.substr(start - 1, n);
};

// REPLACE(text, start, count, new)
#include "shared/sheet/text.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.REPLACE = function (v, start, n, by) {
    var s = kvS(v);
    if (typeof s != "string") {
        return s;
    }
    var a = kvNumArgs([start, n], [null, null]);
    if (a instanceof kvErrC) {
        return a;
    }
    by = kvS(by);
    if (typeof by != "string") {
        return by;
    }
    start = kvCountOf(a[0], 1, s.length + 1);
    if (start instanceof kvErrC) {
        return start;
    }
    n = kvCountOf(a[1], 0, s.length);
    if (n instanceof kvErrC) {
        return n;
    }
    return s.substr(0, start - 1) + by + s.substr(start - 1 + n);
};

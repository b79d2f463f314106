// REPT(text, count): the text repeated count times.
#include "shared/sheet/text.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.REPT = function (v, n) {
    var s = kvS(v);
    if (typeof s != "string") {
        return s;
    }
    var a = kvNumArgs([n], [null]);
    if (a instanceof kvErrC) {
        return a;
    }
    // nothing repeated any number of times is nothing, without a step per repetition
    n = kvCountOf(a[0], 0, s.length == 0 ? 0 : 32768);
    if (n instanceof kvErrC || s.length * n > 32767) {
        return kvError("#VALUE!");
    }
    var out = "";
    for (var i = 0; i < n; i++) {
        out += s;
    }
    return out;
};

// COMPLEX(real, imaginary, [suffix]): the complex number as text, with i or j.
#include "shared/sheet/complex.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.COMPLEX = function (re, im, suffix) {
    var a = kvNumArgs([re, im], [null, null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var unit = suffix === undefined ? "i" : kvS(suffix);
    if (unit instanceof kvErrC) {
        return unit;
    }
    if (unit == "") {
        unit = "i";
    }
    if (unit != "i" && unit != "j") {
        return kvError("#VALUE!");
    }
    return kvComplexText(a[0], a[1], unit);
};

// IMSUB(number1, number2): the difference of two complex numbers.
#include "shared/sheet/complex.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.IMSUB = function (x, y) {
    var a = kvComplexArg(x);
    if (a instanceof kvErrC) {
        return a;
    }
    var b = kvComplexArg(y);
    if (b instanceof kvErrC) {
        return b;
    }
    var unit = kvUnitOf(a.unit, b.unit);
    if (unit == null) {
        return kvError("#VALUE!");
    }
    return kvComplexText(a.re - b.re, a.im - b.im, unit);
};

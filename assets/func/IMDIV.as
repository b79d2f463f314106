// IMDIV(number1, number2): the quotient of two complex numbers; #NUM! for a divisor of 0.
#include "shared/sheet/complex.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.IMDIV = function (x, y) {
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
    var d = b.re * b.re + b.im * b.im;
    if (d == 0) {
        return kvError("#NUM!");
    }
    return kvComplexText((a.re * b.re + a.im * b.im) / d, (a.im * b.re - a.re * b.im) / d, unit);
};

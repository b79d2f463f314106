// IMPRODUCT(number1, ...): the product of complex numbers, ranges cell by cell.
#include "shared/sheet/complex.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.IMPRODUCT = function () {
    var list = kvComplexList(arguments);
    if (list instanceof kvErrC) {
        return list;
    }
    var unit = "";
    var re = 1;
    var im = 0;
    for (var i = 0; i < list.length; i++) {
        unit = kvUnitOf(unit, list[i].unit);
        if (unit == null) {
            return kvError("#VALUE!");
        }
        var r = re * list[i].re - im * list[i].im;
        im = re * list[i].im + im * list[i].re;
        re = r;
    }
    return kvComplexText(re, im, unit);
};

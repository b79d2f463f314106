// IMSUM(number1, ...): the sum of complex numbers, ranges cell by cell.
#include "shared/sheet/complex.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.IMSUM = function () {
    var list = kvComplexList(arguments);
    if (list instanceof kvErrC) {
        return list;
    }
    var unit = "";
    var re = 0;
    var im = 0;
    for (var i = 0; i < list.length; i++) {
        unit = kvUnitOf(unit, list[i].unit);
        if (unit == null) {
            return kvError("#VALUE!");
        }
        re += list[i].re;
        im += list[i].im;
    }
    return kvComplexText(re, im, unit);
};

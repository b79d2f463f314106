// ADDRESS(row, column, [kind], [a1], [sheet]): a cell's address as text; kind 1 $A$1, 2 A$1,
// 3 $A1, 4 A1 (in R1C1 style absolute parts are numbers, relative ones in brackets); 5 to 8
// are taken as 1 to 4, as the spreadsheet takes them.
#include "shared/sheet/refs.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ADDRESS = function (row, column, kind, a1, sheet) {
    var a = kvNumArgs([row, column, kind], [null, null, 1]);
    if (a instanceof kvErrC) {
        return a;
    }
    var r = kvTrunc(a[0]);
    var c = kvTrunc(a[1]);
    var k = kvTrunc(a[2]);
    if (k > 4 && k <= 8) {
        k -= 4;
    }
    var style = a1 === undefined ? true : kvB(a1);
    if (style instanceof kvErrC) {
        return style;
    }
    var prefix = "";
    if (sheet !== undefined) {
        prefix = kvS(sheet);
        if (prefix instanceof kvErrC) {
            return prefix;
        }
        prefix = prefix == "" ? "!" : kvSheetPrefix(prefix);
    }
    if (r < 1 || r > 1048576 || c < 1 || c > 16384 || k < 1 || k > 4) {
        return kvError("#VALUE!");
    }
    var absRow = k == 1 || k == 2;
    var absCol = k == 1 || k == 3;
    if (!style) {
        return prefix + (absRow ? "R" + r : "R[" + r + "]") + (absCol ? "C" + c : "C[" + c + "]");
    }
    return prefix + (absCol ? "$" : "") + kvColumnName(c) + (absRow ? "$" : "") + r;
};

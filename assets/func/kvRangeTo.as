// kvRangeTo(a, b): the reference from a to b (a:b where calls give them, A1:INDEX(...)), the
// smallest area holding both; #VALUE! when either is no reference or they lie on two sheets.
#include "shared/sheet/refs.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.kvRangeTo = function (a, b) {
    if (a instanceof kvErrC) {
        return a;
    }
    if (b instanceof kvErrC) {
        return b;
    }
    if (!kvIsRef(a) || !kvIsRef(b) || a.sv != b.sv) {
        return kvError("#VALUE!");
    }
    var top = Math.min(a.r0, b.r0);
    var left = Math.min(a.c0, b.c0);
    var bottom = Math.max(a.r0 + a.rows, b.r0 + b.rows) - 1;
    var right = Math.max(a.c0 + a.cols, b.c0 + b.cols) - 1;
    return kvRefView(a.sv, a.sn, top, left, bottom - top + 1, right - left + 1);
};

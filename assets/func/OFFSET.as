// OFFSET(reference, rows, columns, [height], [width]): the area moved by rows and columns from
// the reference's first cell, of the reference's size unless given; a negative height or
// width reaches up or left of that cell; #REF! off the sheet.
#include "shared/sheet/refs.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.OFFSET = function (ref, rows, cols, height, width) {
    if (ref instanceof kvErrC) {
        return ref;
    }
    if (!kvIsRef(ref)) {
        return kvError("#VALUE!");
    }
    var a = kvNumArgs([rows, cols, height, width], [0, 0, ref.rows, ref.cols]);
    if (a instanceof kvErrC) {
        return a;
    }
    var top = ref.r0 + kvTrunc(a[0]);
    var left = ref.c0 + kvTrunc(a[1]);
    var h = kvTrunc(a[2]);
    var w = kvTrunc(a[3]);
    if (h == 0 || w == 0) {
        return kvError("#REF!");
    }
    if (h < 0) {
        top = top + h + 1;
        h = -h;
    }
    if (w < 0) {
        left = left + w + 1;
        w = -w;
    }
    return kvRefView(ref.sv, ref.sn, top, left, h, w);
};

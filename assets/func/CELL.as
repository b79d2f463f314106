// CELL(info, [reference]): about the reference's first cell: "address", "row", "col",
// "contents", "type" (b blank, l text, v anything else), "prefix" (' for text), and what a movie
// cannot tell as a cell left as made ("format" G, "protect" 1, "color" and "parentheses" 0);
// #VALUE! for other kinds. The compiler adds the formula's own cell when no reference is given,
// and the formula's sheet, so that an address on another sheet names it.
#include "shared/sheet/refs.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.CELL = function (info, ref, own) {
    if (info instanceof kvErrC) {
        return info;
    }
    if (ref instanceof kvErrC) {
        return ref;
    }
    var what = kvS(info);
    if (what instanceof kvErrC) {
        return what;
    }
    if (!kvIsRef(ref)) {
        return kvError("#VALUE!");
    }
    what = what.toLowerCase();
    var v = kvAt(ref, 0, 0);
    if (what == "address") {
        var sheet = own === undefined || String(own).toUpperCase() == String(ref.sn).toUpperCase() ? "" : kvSheetPrefix(ref.sn);
        return sheet + "$" + kvColumnName(ref.c0) + "$" + ref.r0;
    }
    if (what == "row") {
        return ref.r0;
    }
    if (what == "col") {
        return ref.c0;
    }
    if (what == "contents") {
        return v === undefined || v === null ? 0 : v;
    }
    if (what == "type") {
        return v === undefined || v === null ? "b" : typeof v == "string" ? "l" : "v";
    }
    if (what == "prefix") {
        return typeof v == "string" ? "'" : "";
    }
    if (what == "format") {
        return "G";
    }
    if (what == "protect") {
        return 1;
    }
    if (what == "color" || what == "parentheses") {
        return 0;
    }
    return kvError("#VALUE!");
};

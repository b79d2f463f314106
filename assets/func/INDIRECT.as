// INDIRECT(text, [a1]): the reference an address names ("B3", "Data!$A$1:$C$9", "A:A", in
// R1C1 style "R[-1]C2" when a1 is FALSE). The compiler adds the formula's row and column and
// the name and view of every sheet, the formula's own first; #REF! for an unknown sheet, a
// defined name or no address.
#include "shared/sheet/refs.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.INDIRECT = function (text, a1, ownRow, ownCol) {
    if (text instanceof kvErrC) {
        return text;
    }
    var s = kvS(text);
    if (s instanceof kvErrC) {
        return s;
    }
    var style = a1 === undefined ? true : kvB(a1);
    if (style instanceof kvErrC) {
        return style;
    }
    var sn = arguments[4];
    var sv = arguments[5];
    var bang = s.lastIndexOf("!");
    if (bang >= 0) {
        var name = s.substring(0, bang);
        s = s.substring(bang + 1);
        if (name.length >= 2 && name.charAt(0) == "'" && name.charAt(name.length - 1) == "'") {
            name = name.substring(1, name.length - 1).split("''").join("'");
        }
        var want = name.toUpperCase();
        sv = undefined;
        for (var i = 4; i + 1 < arguments.length; i += 2) {
            if (String(arguments[i]).toUpperCase() == want) {
                sn = arguments[i];
                sv = arguments[i + 1];
                break;
            }
        }
    }
    if (!(sv instanceof kvRangeC)) {
        return kvError("#REF!");
    }
    var area = kvReadArea(s, style, sv, ownRow, ownCol);
    if (area == null) {
        return kvError("#REF!");
    }
    return kvRefView(sv, sn, area[0], area[1], area[2], area[3]);
};

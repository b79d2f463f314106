// INDIRECT(text, [a1]): the reference an address names ("B3", "Data!$A$1:$C$9", "A:A", in
// R1C1 style "R[-1]C2" when a1 is FALSE) or a defined name of one area. The compiler adds the
// formula's row and column, the number of sheets, the name and view of every sheet (the
// formula's own first), then the name and reference of every such defined name; #REF! for an
// unknown sheet or name or no address.
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
    var names = 5 + 2 * arguments[4];
    var sn = arguments[5];
    var sv = arguments[6];
    var bang = s.lastIndexOf("!");
    if (bang >= 0) {
        var name = s.substring(0, bang);
        s = s.substring(bang + 1);
        if (name.length >= 2 && name.charAt(0) == "'" && name.charAt(name.length - 1) == "'") {
            name = name.substring(1, name.length - 1).split("''").join("'");
        }
        var want = name.toUpperCase();
        sv = undefined;
        for (var i = 5; i + 1 < names; i += 2) {
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
    if (bang < 0) {
        var named = s.toUpperCase();
        for (var k = names; k + 1 < arguments.length; k += 2) {
            if (String(arguments[k]).toUpperCase() == named) {
                return arguments[k + 1];
            }
        }
    }
    var area = kvReadArea(s, style, sv, ownRow, ownCol);
    if (area == null) {
        return kvError("#REF!");
    }
    return kvRefView(sv, sn, area[0], area[1], area[2], area[3]);
};

// References by place: views of a sheet's cells made when the movie runs (OFFSET, INDIRECT,
// CELL, ":" between calls), cell addresses as text.
//
// A sheet's view (a kvRangeC from A1 to the sheet's last used row and column) holds every cell
// the sheet uses. An area of it is a kvRangeC of its own rows, copied out of the sheet's band so
// that no pass-long cache of a shared band is kept across them, with its place: sv the sheet's
// view, sn the sheet's name, r0 and c0 its first row and column (from 1).

_global.kvMaxRow = 1048576;
_global.kvMaxCol = 16384;

_global.kvRefView = function (sv, sn, r0, c0, rows, cols) {
    if (r0 < 1 || c0 < 1 || rows < 1 || cols < 1 || r0 + rows - 1 > kvMaxRow || c0 + cols - 1 > kvMaxCol) {
        return kvError("#REF!");
    }
    var part = new Array();
    var b = sv.b;
    var o = sv.o;
    var held = kvBandRows(sv);
    for (var i = 0; i < rows && r0 - 1 + i < held; i++) {
        var row = b[o + r0 - 1 + i];
        part[i] = row == undefined ? undefined : row.slice(c0 - 1, c0 - 1 + cols);
    }
    var v = new kvRangeC(part, 0, rows, cols);
    v.sv = sv;
    v.sn = sn;
    v.r0 = r0;
    v.c0 = c0;
    return v;
};

// Whether v is a reference with its place.
_global.kvIsRef = function (v) {
    return v instanceof kvRangeC && v.sv != undefined;
};

// The letters of column c (from 1): A..Z, AA..
_global.kvColumnName = function (c) {
    var s = "";
    while (c > 0) {
        var d = (c - 1) % 26;
        s = String.fromCharCode(65 + d) + s;
        c = (c - 1 - d) / 26;
    }
    return s;
};

// A sheet's name before "!", quoted when it holds anything but letters, digits, "_" and ".",
// or starts with a digit.
_global.kvSheetPrefix = function (name) {
    var plain = !kvIsDigit(name.charAt(0));
    for (var i = 0; i < name.length && plain; i++) {
        var ch = name.charAt(i);
        plain = (ch >= "A" && ch <= "Z") || (ch >= "a" && ch <= "z") || kvIsDigit(ch) || ch == "_" || ch == ".";
    }
    return plain ? name + "!" : "'" + name.split("'").join("''") + "'!";
};

// One part of an A1 address ("$B$3", "B", "3"): [row, column], 0 for the part left out; null
// when it is no address.
_global.kvReadA1Part = function (t) {
    var n = t.length;
    var i = t.charAt(0) == "$" ? 1 : 0;
    var col = 0;
    var start = i;
    while (i < n) {
        var code = t.toUpperCase().charCodeAt(i);
        if (code < 65 || code > 90) {
            break;
        }
        col = col * 26 + code - 64;
        i++;
    }
    var letters = i - start;
    if (letters > 3 || col > kvMaxCol) {
        return null;
    }
    if (t.charAt(i) == "$" && (letters > 0 || i == 0)) {
        i++;
    }
    var row = 0;
    var first = i;
    while (i < n && kvIsDigit(t.charAt(i))) {
        row = row * 10 + t.charCodeAt(i) - 48;
        i++;
    }
    if (i != n || (letters == 0 && i == first) || (i > first && (row < 1 || row > kvMaxRow))) {
        return null;
    }
    return [row, col];
};

// One part of an R1C1 address ("R2C3", "R[-1]C", "C2"), relative parts counted from the
// formula's own cell: [row, column], 0 for the part left out; null when it is no address.
_global.kvReadR1C1Part = function (t, ownRow, ownCol) {
    t = t.toUpperCase();
    var out = [0, 0];
    var own = [ownRow, ownCol];
    var marks = ["R", "C"];
    var i = 0;
    var any = false;
    for (var k = 0; k < 2; k++) {
        if (t.charAt(i) != marks[k]) {
            continue;
        }
        any = true;
        i++;
        if (t.charAt(i) == "[") {
            var close = t.indexOf("]", i);
            var shift = close < 0 ? NaN : Number(t.substring(i + 1, close));
            if (isNaN(shift) || shift != Math.floor(shift) || close == i + 1) {
                return null;
            }
            out[k] = own[k] + shift;
            i = close + 1;
        } else {
            var first = i;
            var x = 0;
            while (i < t.length && kvIsDigit(t.charAt(i))) {
                x = x * 10 + t.charCodeAt(i) - 48;
                i++;
            }
            out[k] = i == first ? own[k] : x;
        }
        if (out[k] < 1) {
            return null;
        }
    }
    return any && i == t.length ? out : null;
};

// The area an address names on a sheet: [first row, first column, rows, columns]; whole
// columns and rows reach over the sheet's used part, as written ones do. null for no address.
_global.kvReadArea = function (s, a1, sv, ownRow, ownCol) {
    var parts = s.split(":");
    if (parts.length > 2) {
        return null;
    }
    var p = a1 ? kvReadA1Part(parts[0]) : kvReadR1C1Part(parts[0], ownRow, ownCol);
    var q = parts.length == 1 ? p : a1 ? kvReadA1Part(parts[1]) : kvReadR1C1Part(parts[1], ownRow, ownCol);
    if (p == null || q == null || (p[0] == 0) != (q[0] == 0) || (p[1] == 0) != (q[1] == 0)) {
        return null;
    }
    if (parts.length == 1 && (p[0] == 0 || p[1] == 0)) {
        return null;
    }
    var top = Math.min(p[0], q[0]);
    var bottom = Math.max(p[0], q[0]);
    var left = Math.min(p[1], q[1]);
    var right = Math.max(p[1], q[1]);
    if (top == 0) {
        top = 1;
        bottom = Math.max(sv.rows, 1);
    }
    if (left == 0) {
        left = 1;
        right = Math.max(sv.cols, 1);
    }
    return [top, left, bottom - top + 1, right - left + 1];
};

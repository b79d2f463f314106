// Spreadsheet semantics shared by the function library: the library object, the error value,
// array constants, coercions, comparison, criteria, number text and date serials.
//
// Every name here begins with "kv". The player looks names up without regard to case, so a
// helper named like a built-in (date, int, array, string) would replace it; no cell variable
// (V<id>), range array (A<index>) or built-in begins with "kv". Locals avoid built-in names
// for the same reason.

if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
// The main timeline, which holds the cell variables V<id> that ranges name. This code runs as
// the movie's initialisation, with the main timeline as this.
_global.kvTimeline = this;

// ---- the error value -------------------------------------------------------------------

// An error is an object of its own class, so no number, text or range is mistaken for one; it
// shows as its literal ("#N/A") wherever the movie displays it.
_global.kvErrC = function (code) {
    this.code = code;
};
kvErrC.prototype.toString = function () {
    return this.code;
};
_global.kvError = function (code) {
    return new kvErrC(code);
};
kvLib.kvError = kvError;
_global.kvIsErr = function (v) {
    return v instanceof kvErrC;
};
// Any result that is not of the expected primitive type is an error: helpers return either.
_global.kvFin = function (x) {
    return isFinite(x) ? x : kvError("#NUM!");
};

// ---- ranges and array constants ----------------------------------------------------------

// An array constant {1,2;3,4}: values row by row.
_global.kvArrC = function (rows, cols, values) {
    this.rows = rows;
    this.cols = cols;
    this.values = values;
};
kvLib.kvArray = function () {
    var values = new Array();
    for (var i = 2; i < arguments.length; i++) {
        values.push(arguments[i]);
    }
    return new kvArrC(arguments[0], arguments[1], values);
};
// A range is an Array of rows of cell variable names (read on kvTimeline); an array constant
// a kvArrC.
_global.kvIsGrid = function (v) {
    return v instanceof Array || v instanceof kvArrC;
};
_global.kvRows = function (g) {
    if (g instanceof Array) {
        return g.length;
    }
    return g instanceof kvArrC ? g.rows : 1;
};
_global.kvCols = function (g) {
    if (g instanceof Array) {
        return g.length > 0 ? g[0].length : 0;
    }
    return g instanceof kvArrC ? g.cols : 1;
};
_global.kvAt = function (g, r, c) {
    if (g instanceof Array) {
        return kvTimeline[g[r][c]];
    }
    if (g instanceof kvArrC) {
        return g.values[r * g.cols + c];
    }
    return g;
};
// Every value of a range, an array constant or a single value, row by row.
_global.kvFlat = function (g) {
    var out = new Array();
    if (g instanceof Array) {
        for (var r = 0; r < g.length; r++) {
            var row = g[r];
            for (var c = 0; c < row.length; c++) {
                out.push(kvTimeline[row[c]]);
            }
        }
    } else if (g instanceof kvArrC) {
        out = g.values.slice(0);
    } else {
        out.push(g);
    }
    return out;
};
// A grid where one value is wanted: a single cell is its value, an array constant its first
// value, a larger range #VALUE!.
_global.kvScalar = function (v) {
    if (v instanceof Array) {
        if (v.length == 1 && v[0].length == 1) {
            return kvTimeline[v[0][0]];
        }
        return kvError("#VALUE!");
    }
    if (v instanceof kvArrC) {
        return v.values[0];
    }
    return v;
};

// ---- coercions -----------------------------------------------------------------------------

// A number, or the error to pass on. Text is read as decimal ("010" is 10), with group commas,
// a percent sign, an exponent, or as a date or time; a blank is 0, TRUE 1.
_global.kvN = function (v) {
    var t = typeof v;
    if (t == "number") {
        return v;
    }
    if (t == "boolean") {
        return v ? 1 : 0;
    }
    if (t == "string") {
        var x = kvParse(v);
        return isNaN(x) ? kvError("#VALUE!") : x;
    }
    if (t == "object") {
        if (v instanceof kvErrC) {
            return v;
        }
        if (v != null) {
            return kvN(kvScalar(v));
        }
    }
    return 0;
};
// Text, or the error to pass on. A blank is "", numbers as the spreadsheet shows them.
_global.kvS = function (v) {
    var t = typeof v;
    if (t == "string") {
        return v;
    }
    if (t == "number") {
        return kvNumText(v);
    }
    if (t == "boolean") {
        return v ? "TRUE" : "FALSE";
    }
    if (t == "object") {
        if (v instanceof kvErrC) {
            return v;
        }
        if (v != null) {
            return kvS(kvScalar(v));
        }
    }
    return "";
};
// A logical value, or the error to pass on.
_global.kvB = function (v) {
    var t = typeof v;
    if (t == "boolean") {
        return v;
    }
    if (t == "number") {
        return v != 0;
    }
    if (t == "string") {
        var u = v.toUpperCase();
        if (u == "TRUE") {
            return true;
        }
        if (u == "FALSE") {
            return false;
        }
        return kvError("#VALUE!");
    }
    if (t == "object") {
        if (v instanceof kvErrC) {
            return v;
        }
        if (v != null) {
            return kvB(kvScalar(v));
        }
    }
    return false;
};
// A whole number argument (truncated), or the error to pass on.
_global.kvI = function (v) {
    var x = kvN(v);
    if (typeof x != "number") {
        return x;
    }
    return x < 0 ? Math.ceil(x) : Math.floor(x);
};
// The value of an argument that may be a single-cell range; errors stay errors.
_global.kvV = function (v) {
    if (v instanceof Array || v instanceof kvArrC) {
        return kvScalar(v);
    }
    return v;
};

_global.kvIsDigit = function (ch) {
    return ch >= "0" && ch <= "9";
};

// A number from text as a spreadsheet reads it, NaN when the text is no number. The player's
// own conversion reads "010" as octal and "12 " as NaN.
_global.kvParse = function (s) {
    var i = 0;
    var n = s.length;
    var out = "";
    var digits = 0;
    var whole = true;
    var ch;
    while (i < n && s.charAt(i) == " ") {
        i++;
    }
    while (n > i && s.charAt(n - 1) == " ") {
        n--;
    }
    if (i >= n) {
        return NaN;
    }
    if (s.charAt(i) == "(" && s.charAt(n - 1) == ")" && n - i > 2) {
        // an amount in brackets is negative
        var inner = kvParse(s.substring(i + 1, n - 1));
        return inner >= 0 ? -inner : NaN;
    }
    ch = s.charAt(i);
    if (ch == "-" || ch == "+") {
        if (ch == "-") {
            out = "-";
        }
        i++;
    }
    if (s.charAt(i) == "$") {
        i++;
    }
    while (i < n) {
        ch = s.charAt(i);
        if ((ch >= "0" && ch <= "9")) {
            out += ch;
            digits++;
        } else if (ch == "," && whole && digits > 0 && i + 3 < n + 1 && (s.charAt(i + 1) >= "0" && s.charAt(i + 1) <= "9")) {
            // a group separator
        } else if (ch == "." && whole) {
            out += ".";
            whole = false;
        } else {
            break;
        }
        i++;
    }
    if (digits == 0) {
        return kvDateText(s);
    }
    if (i < n && (s.charAt(i) == "e" || s.charAt(i) == "E")) {
        var mark = i;
        var ex = "e";
        var exDigits = 0;
        i++;
        if (i < n && (s.charAt(i) == "+" || s.charAt(i) == "-")) {
            ex += s.charAt(i);
            i++;
        }
        while (i < n && s.charAt(i) >= "0" && s.charAt(i) <= "9") {
            ex += s.charAt(i);
            exDigits++;
            i++;
        }
        if (exDigits == 0) {
            i = mark;
        } else {
            out += ex;
        }
    }
    var percent = false;
    if (i < n && s.charAt(i) == "%") {
        percent = true;
        i++;
    }
    if (i < n) {
        return kvDateText(s);
    }
    var x = parseFloat(out);
    return percent ? x / 100 : x;
};

// A number as the spreadsheet writes it in text: up to 15 significant digits, an exponent
// ("1E+15", "1.5E-07") only where the plain form would be too long.
_global.kvNumText = function (x) {
    if (x == 0) {
        return "0";
    }
    var s = String(x);
    var e = s.indexOf("e");
    if (e < 0) {
        return s;
    }
    var sign = s.charAt(e + 1);
    var power = parseInt(s.substring(e + 2), 10);
    if (sign == "-" && power <= 9) {
        // The spreadsheet writes small numbers in full while they fit its general width.
        var m = s.substring(0, e);
        var neg = m.charAt(0) == "-";
        if (neg) {
            m = m.substring(1);
        }
        var dot = m.indexOf(".");
        var digits = dot < 0 ? m : m.substring(0, dot) + m.substring(dot + 1);
        var zeros = "";
        for (var k = 1; k < power; k++) {
            zeros += "0";
        }
        if (digits.length + power <= 10) {
            return (neg ? "-" : "") + "0." + zeros + digits;
        }
    }
    return s.substring(0, e) + "E" + (sign == "-" ? "-" : "+") + (power < 10 ? "0" : "") + power;
};

// ---- comparison ----------------------------------------------------------------------------

// Equal as the spreadsheet compares numbers: 0.1+0.2 equals 0.3.
_global.kvNEq = function (a, b) {
    if (a == b) {
        return true;
    }
    var d = Math.abs(a - b);
    var m = Math.abs(a);
    if (Math.abs(b) > m) {
        m = Math.abs(b);
    }
    return d < m * 3.6e-15;
};
_global.kvRank = function (v) {
    var t = typeof v;
    if (t == "number") {
        return 0;
    }
    return t == "string" ? 1 : 2;
};
// -1, 0 or 1: numbers before text before logical values, text without regard to case, a blank
// as the other side's empty value.
_global.kvCmp = function (a, b) {
    var ta = typeof a;
    var tb = typeof b;
    if (ta == "undefined" || a == null) {
        a = tb == "string" ? "" : (tb == "boolean" ? false : 0);
    }
    if (tb == "undefined" || b == null) {
        b = ta == "string" ? "" : (ta == "boolean" ? false : 0);
    }
    var ra = kvRank(a);
    var rb = kvRank(b);
    if (ra != rb) {
        return ra < rb ? -1 : 1;
    }
    if (ra == 0) {
        if (kvNEq(a, b)) {
            return 0;
        }
        return a < b ? -1 : 1;
    }
    if (ra == 1) {
        a = a.toUpperCase();
        b = b.toUpperCase();
    } else {
        a = a ? 1 : 0;
        b = b ? 1 : 0;
    }
    if (a < b) {
        return -1;
    }
    return a > b ? 1 : 0;
};
// The comparison of two operands, or the error to pass on (the left one first).
_global.kvCmpOp = function (a, b) {
    a = kvV(a);
    b = kvV(b);
    if (a instanceof kvErrC) {
        return a;
    }
    if (b instanceof kvErrC) {
        return b;
    }
    return kvCmp(a, b);
};

// ---- aggregation ---------------------------------------------------------------------------

// The numbers of aggregate arguments from index first on, or the first error met. In ranges
// only numbers count (withA: logical values as 1 and 0, text as 0); values given directly
// count when they read as numbers (TRUE, "2").
_global.kvNums = function (args, first, withA) {
    var out = new Array();
    for (var i = first; i < args.length; i++) {
        var v = args[i];
        var t = typeof v;
        if (t == "number") {
            out.push(v);
        } else if (t == "boolean") {
            out.push(v ? 1 : 0);
        } else if (t == "string") {
            var x = kvParse(v);
            if (!isNaN(x)) {
                out.push(x);
            } else if (withA) {
                out.push(0);
            }
        } else if (v instanceof kvErrC) {
            return v;
        } else if (v instanceof Array || v instanceof kvArrC) {
            var values = kvFlat(v);
            for (var k = 0; k < values.length; k++) {
                var y = values[k];
                var ty = typeof y;
                if (ty == "number") {
                    out.push(y);
                } else if (y instanceof kvErrC) {
                    return y;
                } else if (withA) {
                    if (ty == "boolean") {
                        out.push(y ? 1 : 0);
                    } else if (ty == "string") {
                        out.push(0);
                    }
                }
            }
        }
    }
    return out;
};
_global.kvSum = function (xs) {
    var s = 0;
    for (var i = 0; i < xs.length; i++) {
        s += xs[i];
    }
    return s;
};
_global.kvMean = function (xs) {
    return kvSum(xs) / xs.length;
};
// Sum of squared deviations from the mean.
_global.kvDev2 = function (xs) {
    var m = kvMean(xs);
    var s = 0;
    for (var i = 0; i < xs.length; i++) {
        s += (xs[i] - m) * (xs[i] - m);
    }
    return s;
};
_global.kvAscending = function (a, b) {
    return a - b;
};
_global.kvSorted = function (xs) {
    var s = xs.slice(0);
    s.sort(kvAscending);
    return s;
};
// Variance of numbers (sample unless whole), or the error.
_global.kvVar = function (xs, whole) {
    if (typeof xs.length != "number") {
        return xs;
    }
    var n = xs.length;
    if (n == 0 || (!whole && n < 2)) {
        return kvError("#DIV/0!");
    }
    return kvDev2(xs) / (whole ? n : n - 1);
};

// Two ranges of paired numbers (CORREL, SLOPE ...): pairs where both are numbers, or an error.
_global.kvPairs = function (ya, xa) {
    var ys = kvFlat(ya);
    var xs = kvFlat(xa);
    if (ys.length != xs.length) {
        return kvError("#N/A");
    }
    var p = new Object();
    p.y = new Array();
    p.x = new Array();
    for (var i = 0; i < ys.length; i++) {
        if (ys[i] instanceof kvErrC) {
            return ys[i];
        }
        if (xs[i] instanceof kvErrC) {
            return xs[i];
        }
        if (typeof ys[i] == "number" && typeof xs[i] == "number") {
            p.y.push(ys[i]);
            p.x.push(xs[i]);
        }
    }
    return p;
};

// ---- criteria of the *IF(S) functions ------------------------------------------------------

// A criterion: op 0 "=", 1 "<>", 2 "<", 3 "<=", 4 ">", 5 ">="; value a number, a logical
// value or upper-case text; wild when the text holds * or ? for "=" and "<>".
_global.kvCrit = function (c) {
    var cr = new Object();
    cr.op = 0;
    cr.wild = false;
    c = kvV(c);
    if (c instanceof kvErrC) {
        cr.value = c;
        return cr;
    }
    var t = typeof c;
    if (t == "number" || t == "boolean") {
        cr.value = c;
        return cr;
    }
    if (t != "string") {
        // an empty criteria cell counts as 0
        cr.value = 0;
        return cr;
    }
    var s = c;
    var ops = ["<>", "<=", ">=", "<", ">", "="];
    var codes = [1, 3, 5, 2, 4, 0];
    for (var k = 0; k < ops.length; k++) {
        if (s.substr(0, ops[k].length) == ops[k]) {
            cr.op = codes[k];
            s = s.substr(ops[k].length);
            break;
        }
    }
    var x = kvParse(s);
    var u = s.toUpperCase();
    if (s != "" && !isNaN(x)) {
        cr.value = x;
    } else if (u == "TRUE" || u == "FALSE") {
        cr.value = u == "TRUE";
    } else {
        cr.value = u;
        cr.wild = cr.op <= 1 && (s.indexOf("*") >= 0 || s.indexOf("?") >= 0 || s.indexOf("~") >= 0);
    }
    return cr;
};
_global.kvOpHolds = function (op, c) {
    if (op == 0) {
        return c == 0;
    }
    if (op == 1) {
        return c != 0;
    }
    if (op == 2) {
        return c < 0;
    }
    if (op == 3) {
        return c <= 0;
    }
    if (op == 4) {
        return c > 0;
    }
    return c >= 0;
};
// Whether a cell's value meets a criterion: numbers meet numeric criteria, text meets text
// criteria; "<>" holds for every value of another kind.
_global.kvMeets = function (cr, x) {
    var v = cr.value;
    var tv = typeof v;
    var t = typeof x;
    var blank = t == "undefined" || x == null || x === "";
    if (x instanceof kvErrC) {
        return cr.op == 1;
    }
    if (tv == "string" && v == "") {
        if (cr.op == 0) {
            return blank;
        }
        if (cr.op == 1) {
            return !blank;
        }
    }
    if (tv == "number") {
        if (t == "string" && cr.op <= 1) {
            // text that reads as the number is equal to it ("7" meets 7)
            var n = kvParse(x);
            var same = !isNaN(n) && kvNEq(n, v);
            return cr.op == 0 ? same : !same;
        }
        if (t != "number") {
            return cr.op == 1;
        }
        return kvOpHolds(cr.op, kvNEq(x, v) ? 0 : (x < v ? -1 : 1));
    }
    if (tv == "boolean") {
        if (t != "boolean") {
            return cr.op == 1;
        }
        return kvOpHolds(cr.op, (x ? 1 : 0) - (v ? 1 : 0));
    }
    if (t != "string") {
        return cr.op == 1;
    }
    var u = x.toUpperCase();
    if (cr.wild) {
        var m = kvWild(v, u);
        return cr.op == 0 ? m : !m;
    }
    return kvOpHolds(cr.op, u < v ? -1 : (u > v ? 1 : 0));
};

// Whether text s matches pattern p with * (any run), ? (any one character) and ~ (the next
// character literally). Backtracks only to the last star, so it runs in linear passes.
_global.kvWild = function (p, s) {
    var pc = new Array();
    var pk = new Array();
    for (var i = 0; i < p.length; i++) {
        var ch = p.charAt(i);
        if (ch == "~" && i + 1 < p.length) {
            i++;
            pc.push(p.charAt(i));
            pk.push(0);
        } else {
            pc.push(ch);
            pk.push(ch == "*" ? 2 : (ch == "?" ? 1 : 0));
        }
    }
    var si = 0;
    var pi = 0;
    var star = -1;
    var mark = 0;
    while (si < s.length) {
        if (pi < pc.length && pk[pi] != 2 && (pk[pi] == 1 || pc[pi] == s.charAt(si))) {
            si++;
            pi++;
        } else if (pi < pc.length && pk[pi] == 2) {
            star = pi;
            mark = si;
            pi++;
        } else if (star >= 0) {
            pi = star + 1;
            mark++;
            si = mark;
        } else {
            return false;
        }
    }
    while (pi < pc.length && pk[pi] == 2) {
        pi++;
    }
    return pi == pc.length;
};

// The cells of the (range, criterion) pairs of args from index first on that meet all
// criteria, as flat indexes; an error when a criterion is an error or the ranges differ in size.
_global.kvIfsMask = function (args, first) {
    var rows = kvRows(args[first]);
    var cols = kvCols(args[first]);
    var keep = new Array();
    var n = rows * cols;
    for (var i = 0; i < n; i++) {
        keep.push(true);
    }
    for (var a = first; a + 1 < args.length; a += 2) {
        if (kvRows(args[a]) != rows || kvCols(args[a]) != cols) {
            return kvError("#VALUE!");
        }
        var cr = kvCrit(args[a + 1]);
        if (cr.value instanceof kvErrC) {
            return cr.value;
        }
        var values = kvFlat(args[a]);
        for (var k = 0; k < n; k++) {
            if (keep[k] && !kvMeets(cr, values[k])) {
                keep[k] = false;
            }
        }
    }
    var out = new Array();
    for (var j = 0; j < n; j++) {
        if (keep[j]) {
            out.push(j);
        }
    }
    return out;
};
// The numbers of grid g at the given flat indexes (text and blanks left out).
_global.kvPick = function (g, indexes) {
    var values = kvFlat(g);
    var out = new Array();
    for (var i = 0; i < indexes.length; i++) {
        var x = values[indexes[i]];
        if (typeof x == "number") {
            out.push(x);
        } else if (x instanceof kvErrC) {
            return x;
        }
    }
    return out;
};

// ---- rounding ------------------------------------------------------------------------------

// x rounded to 15 significant digits: the spreadsheet rounds decimals as they are written,
// so 1.005 * 100 is 100.5 here, not 100.49999999999999.
_global.kvR15 = function (x) {
    if (x == 0 || !isFinite(x)) {
        return x;
    }
    var a = Math.abs(x);
    var e = Math.floor(Math.log(a) / Math.LN10);
    var scale = Math.pow(10, 14 - e);
    var r = Math.floor(a * scale + 0.5) / scale;
    if (14 - e > 300) {
        return x;
    }
    return x < 0 ? -r : r;
};
// x rounded to d decimals; mode 0 half away from zero, 1 away from zero, -1 toward zero.
_global.kvRound = function (x, d, mode) {
    d = d < 0 ? Math.ceil(d) : Math.floor(d);
    if (d > 15) {
        return x;
    }
    if (d < -308) {
        return 0;
    }
    var p = Math.pow(10, Math.abs(d));
    var a = Math.abs(x);
    var y = d >= 0 ? kvR15(a * p) : kvR15(a / p);
    var r;
    if (mode == 0) {
        r = Math.floor(y + 0.5);
    } else if (mode > 0) {
        r = Math.ceil(y);
    } else {
        r = Math.floor(y);
    }
    r = d >= 0 ? r / p : r * p;
    return x < 0 ? -r : r;
};

// ---- dates ---------------------------------------------------------------------------------

// Days from 1970-01-01 to a proleptic Gregorian date; the month may lie outside 1..12.
_global.kvDays = function (y, m, d) {
    y += Math.floor((m - 1) / 12);
    m = m - 1 - 12 * Math.floor((m - 1) / 12) + 1;
    if (m <= 2) {
        y -= 1;
    }
    var era = Math.floor(y / 400);
    var yoe = y - era * 400;
    var mp = (m + 9) % 12;
    var doy = Math.floor((153 * mp + 2) / 5) + d - 1;
    var doe = yoe * 365 + Math.floor(yoe / 4) - Math.floor(yoe / 100) + doy;
    return era * 146097 + doe - 719468;
};
// The serial number of a date: day 1 is 1 January 1900, and 29 February 1900 (serial 60)
// exists, as in the spreadsheet's 1900 date system. The day may lie outside the month.
_global.kvSerial = function (y, m, d) {
    var s = kvDays(y, m, 1) + 25569;
    if (s <= 60) {
        s -= 1;
    }
    return s + d - 1;
};
// [year, month, day] of a serial number; serial 0 is 0 January 1900, serial 60 29 February 1900.
_global.kvYMD = function (serial) {
    var s = Math.floor(serial);
    if (s == 60) {
        return [1900, 2, 29];
    }
    if (s == 0) {
        return [1900, 1, 0];
    }
    var z = s - 25569 + (s < 60 ? 1 : 0) + 719468;
    var era = Math.floor(z / 146097);
    var doe = z - era * 146097;
    var yoe = Math.floor((doe - Math.floor(doe / 1460) + Math.floor(doe / 36524) - Math.floor(doe / 146096)) / 365);
    var y = yoe + era * 400;
    var doy = doe - (365 * yoe + Math.floor(yoe / 4) - Math.floor(yoe / 100));
    var mp = Math.floor((5 * doy + 2) / 153);
    var d = doy - Math.floor((153 * mp + 2) / 5) + 1;
    var m = mp < 10 ? mp + 3 : mp - 9;
    if (m <= 2) {
        y++;
    }
    return [y, m, d];
};
_global.kvIsLeap = function (y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
};
_global.kvMonthDays = function (y, m) {
    if (m == 2) {
        return kvIsLeap(y) || y == 1900 ? 29 : 28;
    }
    return (m == 4 || m == 6 || m == 9 || m == 11) ? 30 : 31;
};
// A date argument: a non-negative serial number, or the error (#NUM! below 0, #VALUE! text that
// reads as no date).
_global.kvDateArg = function (v) {
    var x = kvN(v);
    if (typeof x != "number") {
        return x;
    }
    if (x < 0 || x >= 2958466) {
        return kvError("#NUM!");
    }
    return x;
};
// Day of the week, 0 Sunday .. 6 Saturday; serial 1 (1 January 1900) counts as a Sunday.
_global.kvWeekday0 = function (serial) {
    var s = Math.floor(serial);
    return ((s - 1) % 7 + 7) % 7;
};
_global.kvMonthNames = ["January", "February", "March", "April", "May", "June", "July", "August",
    "September", "October", "November", "December"];
_global.kvDayNames = ["Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"];
_global.kvMonthOf = function (word) {
    var u = word.toUpperCase();
    if (u.length < 3) {
        return 0;
    }
    for (var i = 0; i < 12; i++) {
        if (kvMonthNames[i].toUpperCase().substr(0, u.length) == u) {
            return i + 1;
        }
    }
    return 0;
};
// The serial number that a text of a date and/or a time stands for, NaN when it stands for
// none. Dates: 2024-01-15, 1/15/2024, 15-Jan-2024, Jan 15, 2024, 15 January 2024; times:
// 13:30, 1:30 PM, 13:30:15.
_global.kvDateText = function (s) {
    var parts = new Array();
    var kinds = new Array();
    var seps = new Array();
    var i = 0;
    var n = s.length;
    while (i < n) {
        var ch = s.charAt(i);
        if (kvIsDigit(ch)) {
            var start = i;
            while (i < n && (kvIsDigit(s.charAt(i)) || (s.charAt(i) == "." && kinds.length > 0 && seps[seps.length - 1] == ":"))) {
                i++;
            }
            parts.push(s.substring(start, i));
            kinds.push(0);
        } else if (ch.toUpperCase() != ch.toLowerCase()) {
            var from = i;
            while (i < n && s.charAt(i).toUpperCase() != s.charAt(i).toLowerCase()) {
                i++;
            }
            parts.push(s.substring(from, i).toUpperCase());
            kinds.push(1);
        } else {
            if (ch != " " && ch != ",") {
                seps[parts.length] = ch;
            }
            i++;
            continue;
        }
        if (seps[parts.length - 1] == undefined) {
            seps[parts.length - 1] = "";
        }
    }
    // Split off a time: numbers joined by ':' and an AM/PM word.
    var day = 0;
    var time = 0;
    var k = 0;
    var dateParts = new Array();
    var dateKinds = new Array();
    var hasTime = false;
    var hasDate = false;
    while (k < parts.length) {
        if (kinds[k] == 0 && k + 1 < parts.length && seps[k + 1] == ":" && kinds[k + 1] == 0) {
            var h = parseFloat(parts[k]);
            var mi = parseFloat(parts[k + 1]);
            var sec = 0;
            k += 2;
            if (k < parts.length && seps[k] == ":" && kinds[k] == 0) {
                sec = parseFloat(parts[k]);
                k++;
            }
            if (k < parts.length && kinds[k] == 1 && (parts[k] == "AM" || parts[k] == "PM")) {
                if (h > 12 || h == 0) {
                    return NaN;
                }
                h = h % 12 + (parts[k] == "PM" ? 12 : 0);
                k++;
            }
            if (mi >= 60 || sec >= 60) {
                return NaN;
            }
            time = (h * 3600 + mi * 60 + sec) / 86400;
            hasTime = true;
        } else if (kinds[k] == 0 && k + 1 < parts.length && kinds[k + 1] == 1 && (parts[k + 1] == "AM" || parts[k + 1] == "PM")) {
            var hh = parseFloat(parts[k]);
            if (hh > 12 || hh == 0) {
                return NaN;
            }
            time = (hh % 12 + (parts[k + 1] == "PM" ? 12 : 0)) / 24;
            hasTime = true;
            k += 2;
        } else {
            dateParts.push(parts[k]);
            dateKinds.push(kinds[k]);
            k++;
        }
    }
    if (dateParts.length > 0) {
        var y = -1;
        var m = 0;
        var d = 0;
        var nums = new Array();
        for (var j = 0; j < dateParts.length; j++) {
            if (dateKinds[j] == 1) {
                if (m != 0) {
                    return NaN;
                }
                m = kvMonthOf(dateParts[j]);
                if (m == 0) {
                    return NaN;
                }
            } else {
                nums.push(dateParts[j]);
            }
        }
        if (m != 0) {
            if (nums.length == 2) {
                // 15 Jan 2024 or Jan 15 2024
                d = parseFloat(nums[0]);
                y = parseFloat(nums[1]);
                if (nums[0].length > 2) {
                    y = parseFloat(nums[0]);
                    d = parseFloat(nums[1]);
                }
            } else if (nums.length == 1) {
                // Jan 2024 is its first day; 15 Jan is this year's
                var only = parseFloat(nums[0]);
                if (nums[0].length > 2 || only > 31) {
                    y = only;
                    d = 1;
                } else {
                    d = only;
                    y = new Date().getFullYear();
                }
            } else {
                return NaN;
            }
        } else if (nums.length == 3) {
            if (nums[0].length > 2) {
                y = parseFloat(nums[0]);
                m = parseFloat(nums[1]);
                d = parseFloat(nums[2]);
            } else {
                m = parseFloat(nums[0]);
                d = parseFloat(nums[1]);
                y = parseFloat(nums[2]);
            }
        } else if (nums.length == 2) {
            if (nums[0].length > 2) {
                y = parseFloat(nums[0]);
                m = parseFloat(nums[1]);
                d = 1;
            } else {
                m = parseFloat(nums[0]);
                d = parseFloat(nums[1]);
                y = new Date().getFullYear();
            }
        } else {
            return NaN;
        }
        if (y < 100) {
            y += y < 30 ? 2000 : 1900;
        }
        if (m < 1 || m > 12 || d < 1 || d > kvMonthDays(y, m) || y > 9999 || y < 1900) {
            return NaN;
        }
        day = kvSerial(y, m, d);
        hasDate = true;
    }
    if (!hasDate && !hasTime) {
        return NaN;
    }
    return day + time;
};

// ---- number text ---------------------------------------------------------------------------

// The digits of a non-negative number rounded to d decimals, as text without exponent; the
// integer part grouped by thousands when grouped.
_global.kvFixedText = function (x, d, grouped) {
    var neg = x < 0;
    var r = kvRound(Math.abs(x), d, 0);
    if (d < 0) {
        d = 0;
    }
    var scaled = Math.floor(kvR15(r * Math.pow(10, d)) + 0.5);
    var whole = Math.floor(scaled / Math.pow(10, d));
    var frac = scaled - whole * Math.pow(10, d);
    var ws = kvIntText(whole);
    if (grouped) {
        var g = "";
        while (ws.length > 3) {
            g = "," + ws.substr(ws.length - 3) + g;
            ws = ws.substr(0, ws.length - 3);
        }
        ws = ws + g;
    }
    var out = ws;
    if (d > 0) {
        var fs = kvIntText(Math.round(frac));
        while (fs.length < d) {
            fs = "0" + fs;
        }
        out += "." + fs;
    }
    return (neg && scaled != 0 ? "-" : "") + out;
};
// A whole non-negative number as digits, also beyond the player's exponent limit.
_global.kvIntText = function (x) {
    if (x < 1e15) {
        return String(x);
    }
    var out = "";
    while (x >= 1) {
        var q = Math.floor(x / 10);
        out = String(Math.round(x - q * 10)) + out;
        x = q;
    }
    return out;
};

// ---- arguments -----------------------------------------------------------------------------

// Numbers of the leading arguments, or the first error. defaults[i] stands in for a left-out
// argument; null marks an argument that is read as given (a left-out one is 0).
_global.kvNumArgs = function (args, defaults) {
    var out = new Array();
    for (var i = 0; i < defaults.length; i++) {
        var v = args[i];
        if (v === undefined && defaults[i] !== null) {
            out.push(defaults[i]);
        } else {
            var x = kvN(v);
            if (typeof x != "number") {
                return x;
            }
            out.push(x);
        }
    }
    return out;
};
// The arguments from index first on, as an array (for passing them on with apply).
_global.kvArgList = function (args, first) {
    var out = new Array();
    for (var i = first; i < args.length; i++) {
        out.push(args[i]);
    }
    return out;
};
_global.kvTrunc = function (x) {
    return x < 0 ? Math.ceil(x) : Math.floor(x);
};

// The logical values of AND, OR and XOR: {count, trues}, or the first error. Numbers count as
// TRUE unless 0; text given directly must read TRUE or FALSE; in ranges text and blanks are
// skipped.
_global.kvLogicals = function (args) {
    var r = new Object();
    r.count = 0;
    r.trues = 0;
    for (var i = 0; i < args.length; i++) {
        var v = args[i];
        var values;
        var direct = !(v instanceof Array || v instanceof kvArrC);
        values = direct ? [v] : kvFlat(v);
        for (var k = 0; k < values.length; k++) {
            var x = values[k];
            var t = typeof x;
            if (x instanceof kvErrC) {
                return x;
            }
            if (t == "string" && direct) {
                x = kvB(x);
                if (x instanceof kvErrC) {
                    return x;
                }
                t = "boolean";
            }
            if (t == "number" || t == "boolean") {
                r.count++;
                if (x != 0) {
                    r.trues++;
                }
            }
        }
    }
    return r;
};
// log of x to a base, exact for powers of the base (LOG(1000, 10) is 3, not 2.9999999999999996).
_global.kvLog = function (x, base) {
    var r = Math.log(x) / Math.log(base);
    var whole = Math.round(r);
    if (Math.abs(r - whole) < 1e-12 && Math.pow(base, whole) == x) {
        return whole;
    }
    return r;
};

// ---- statistics ----------------------------------------------------------------------------

// The largest (sign 1) or smallest (sign -1) number; 0 of none.
_global.kvExtreme = function (xs, sign) {
    if (xs.length == 0) {
        return 0;
    }
    var m = xs[0];
    for (var i = 1; i < xs.length; i++) {
        if ((xs[i] - m) * sign > 0) {
            m = xs[i];
        }
    }
    return m;
};
// The k-quantile of sorted numbers, interpolated between neighbours.
_global.kvQuantile = function (s, k) {
    var h = (s.length - 1) * k;
    var i = Math.floor(h);
    if (i >= s.length - 1) {
        return s[s.length - 1];
    }
    return s[i] + (h - i) * (s[i + 1] - s[i]);
};
// Means and sums of squares and products of paired numbers.
_global.kvRegress = function (p) {
    var r = new Object();
    r.mx = kvMean(p.x);
    r.my = kvMean(p.y);
    r.sxx = 0;
    r.syy = 0;
    r.sxy = 0;
    for (var i = 0; i < p.x.length; i++) {
        var dx = p.x[i] - r.mx;
        var dy = p.y[i] - r.my;
        r.sxx += dx * dx;
        r.syy += dy * dy;
        r.sxy += dx * dy;
    }
    return r;
};
// {first, same}: the rank of x among the numbers of g and how many equal it; #N/A when x is
// not among them.
_global.kvRankOf = function (x, g, order) {
    x = kvN(x);
    if (typeof x != "number") {
        return x;
    }
    var xs = kvNums([g], 0, false);
    if (xs instanceof kvErrC) {
        return xs;
    }
    var up = order !== undefined && kvN(order) != 0;
    var r = new Object();
    r.first = 1;
    r.same = 0;
    for (var i = 0; i < xs.length; i++) {
        if (xs[i] == x) {
            r.same++;
        } else if (up ? xs[i] < x : xs[i] > x) {
            r.first++;
        }
    }
    return r.same == 0 ? kvError("#N/A") : r;
};
// The standard normal distribution function, to about 1e-15: a series near the centre, a
// continued fraction in the tails.
_global.kvPhi = function (z) {
    var a = Math.abs(z);
    var p;
    if (a < 3) {
        var term = a;
        var sum = a;
        var k = 1;
        while (Math.abs(term) > 1e-17 * Math.abs(sum) && k < 200) {
            term = term * a * a / (2 * k + 1);
            sum += term;
            k++;
        }
        p = 0.5 + sum * Math.exp(-a * a / 2) / Math.sqrt(2 * Math.PI);
        return z < 0 ? 1 - p : p;
    }
    if (a > 38) {
        return z < 0 ? 0 : 1;
    }
    // upper tail by the continued fraction a + 1/(a + 2/(a + 3/(a + ...)))
    var f = a;
    for (var n = 80; n >= 1; n--) {
        f = a + n / f;
    }
    var q = Math.exp(-a * a / 2) / Math.sqrt(2 * Math.PI) / f;
    return z < 0 ? q : 1 - q;
};
// The inverse of kvPhi: a rational first guess refined by Newton's method.
_global.kvPhiInv = function (p) {
    if (p == 0.5) {
        return 0;
    }
    var q = p < 0.5 ? p : 1 - p;
    var t = Math.sqrt(-2 * Math.log(q));
    var x = t - (2.515517 + 0.802853 * t + 0.010328 * t * t) / (1 + 1.432788 * t + 0.189269 * t * t + 0.001308 * t * t * t);
    if (p < 0.5) {
        x = -x;
    }
    for (var i = 0; i < 8; i++) {
        var d = Math.exp(-x * x / 2) / Math.sqrt(2 * Math.PI);
        if (d == 0) {
            break;
        }
        var step = (kvPhi(x) - p) / d;
        x -= step;
        if (Math.abs(step) < 1e-15 * (1 + Math.abs(x))) {
            break;
        }
    }
    return x;
};
// The numbers (all: the non-blank values) among args.
_global.kvCount = function (args, all) {
    var n = 0;
    for (var i = 0; i < args.length; i++) {
        var v = args[i];
        if (v instanceof Array || v instanceof kvArrC) {
            var values = kvFlat(v);
            for (var k = 0; k < values.length; k++) {
                var x = values[k];
                if (all ? x !== undefined && x !== null : typeof x == "number") {
                    n++;
                }
            }
        } else {
            var t = typeof v;
            if (all ? v !== undefined : t == "number" || t == "boolean" || (t == "string" && !isNaN(kvParse(v)))) {
                n++;
            }
        }
    }
    return n;
};
_global.kvMode = function (args) {
    var xs = kvNums(args, 0, false);
    if (xs instanceof kvErrC) {
        return xs;
    }
    var best = 1;
    var value = kvError("#N/A");
    for (var i = 0; i < xs.length; i++) {
        var n = 0;
        for (var j = i; j < xs.length; j++) {
            if (xs[j] == xs[i]) {
                n++;
            }
        }
        if (n > best) {
            best = n;
            value = xs[i];
        }
    }
    return value;
};
_global.kvPercentile = function (g, k) {
    var xs = kvNums([g], 0, false);
    if (xs instanceof kvErrC) {
        return xs;
    }
    k = kvN(k);
    if (typeof k != "number") {
        return k;
    }
    if (xs.length == 0 || k < 0 || k > 1) {
        return kvError("#NUM!");
    }
    return kvQuantile(kvSorted(xs), k);
};
_global.kvQuartile = function (g, q) {
    q = kvN(q);
    if (typeof q != "number") {
        return q;
    }
    q = Math.floor(q);
    if (q < 0 || q > 4) {
        return kvError("#NUM!");
    }
    return kvPercentile(g, q / 4);
};
// ---- lookup --------------------------------------------------------------------------------

// The index of the first key equal to v (text without regard to case, with wildcards when
// wild), -1 when none is.
_global.kvExact = function (v, keys, wild) {
    var t = typeof v;
    var pattern = wild && t == "string" && (v.indexOf("*") >= 0 || v.indexOf("?") >= 0 || v.indexOf("~") >= 0);
    var u = t == "string" ? v.toUpperCase() : v;
    for (var i = 0; i < keys.length; i++) {
        var x = keys[i];
        if (typeof x != t) {
            continue;
        }
        if (pattern) {
            if (kvWild(u, x.toUpperCase())) {
                return i;
            }
        } else if (kvCmp(x, v) == 0) {
            return i;
        }
    }
    return -1;
};
// Approximate match in sorted keys: the last key not above v (order 1, ascending keys) or not
// below v (order -1, descending keys), among keys of v's kind; -1 when none is.
_global.kvApprox = function (v, keys, order) {
    var best = -1;
    var rank = kvRank(v);
    for (var i = 0; i < keys.length; i++) {
        var x = keys[i];
        if (x === undefined || x instanceof kvErrC || kvRank(x) != rank) {
            continue;
        }
        var c = kvCmp(x, v) * order;
        if (c <= 0) {
            best = i;
            if (c == 0 && order < 0) {
                return i;
            }
        } else {
            break;
        }
    }
    return best;
};
// The keys a lookup searches in a grid (its first column going down, else its first row).
// On a range they are kept for the recalculation pass, with the first index of every key once
// an exact lookup has asked for it (see kvEqualIndex for why a pass may keep them).
_global.kvLookupKeys = function (g, down) {
    var kept = g instanceof Array && kvLib.kvPass != undefined;
    var slot = down ? "kvDownKeys" : "kvAlongKeys";
    if (kept && g[slot] != undefined && g[slot].pass === kvLib.kvPass) {
        return g[slot];
    }
    var entry = new Object();
    entry.keys = new Array();
    entry.pass = kvLib.kvPass;
    var n = down ? kvRows(g) : kvCols(g);
    for (var i = 0; i < n; i++) {
        entry.keys.push(down ? kvAt(g, i, 0) : kvAt(g, 0, i));
    }
    if (kept) {
        g[slot] = entry;
    }
    return entry;
};
// The key of a value for exact lookups: numbers by their text of 15 digits, text without
// regard to case; null for what an index does not hold (blanks, errors).
_global.kvExactKey = function (v) {
    var t = typeof v;
    if (t == "number") {
        return "n" + v;
    }
    if (t == "string") {
        return "s" + v.toUpperCase();
    }
    if (t == "boolean") {
        return v ? "b1" : "b0";
    }
    return null;
};
// The index of the first key equal to v (wildcards in text), -1 when none is; through an
// index of the keys when v holds no wildcard.
_global.kvFind = function (v, entry) {
    var key = kvExactKey(v);
    if (key == null || (typeof v == "string" && (v.indexOf("*") >= 0 || v.indexOf("?") >= 0 || v.indexOf("~") >= 0))) {
        return kvExact(v, entry.keys, true);
    }
    if (entry.first == undefined) {
        var first = new Object();
        for (var i = 0; i < entry.keys.length; i++) {
            var k = kvExactKey(entry.keys[i]);
            if (k != null && first[k] == undefined) {
                first[k] = i;
            }
        }
        entry.first = first;
    }
    var hit = entry.first[key];
    return hit == undefined ? -1 : hit;
};
// Approximate match in ascending keys through an entry of kvLookupKeys: when every key is of
// v's kind the search halves the keys (as the spreadsheet's own does, which is why the keys
// must be sorted); otherwise it walks them (kvApprox).
_global.kvApproxUp = function (v, entry) {
    var rank = kvRank(v);
    if (entry.rank == undefined) {
        entry.rank = entry.keys.length > 0 ? kvRank(entry.keys[0]) : -1;
        for (var i = 0; i < entry.keys.length; i++) {
            var x = entry.keys[i];
            if (x === undefined || x === null || x instanceof kvErrC || kvRank(x) != entry.rank) {
                entry.rank = -1;
                break;
            }
        }
    }
    if (entry.rank != rank) {
        return kvApprox(v, entry.keys, 1);
    }
    // the last key not above v (numbers compared in place: this runs once per lookup)
    var keys = entry.keys;
    var lo = 0;
    var hi = keys.length;
    while (lo < hi) {
        var mid = Math.floor((lo + hi) / 2);
        var x = keys[mid];
        if (rank == 0 ? x <= v || x - v < 3.6e-15 * Math.abs(x) : kvCmp(x, v) <= 0) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return lo - 1;
};
// VLOOKUP (down) and HLOOKUP (along).
_global.kvTableLookup = function (v, g, index, approx, down) {
    v = kvV(v);
    if (v instanceof kvErrC) {
        return v;
    }
    if (g instanceof kvErrC) {
        return g;
    }
    index = kvI(index);
    if (typeof index != "number") {
        return index;
    }
    approx = approx === undefined ? true : kvB(approx);
    if (approx instanceof kvErrC) {
        return approx;
    }
    var rows = kvRows(g);
    var cols = kvCols(g);
    if (index < 1) {
        return kvError("#VALUE!");
    }
    if (index > (down ? cols : rows)) {
        return kvError("#REF!");
    }
    var k = approx ? kvApproxUp(v, kvLookupKeys(g, down)) : kvFind(v, kvLookupKeys(g, down));
    if (k < 0) {
        return kvError("#N/A");
    }
    var x = down ? kvAt(g, k, index - 1) : kvAt(g, index - 1, k);
    return x === undefined ? 0 : x;
};

// ---- more dates ----------------------------------------------------------------------------

// Seconds since midnight, rounded to the nearest second.
_global.kvSecondsOfDay = function (x) {
    var secs = Math.round((x - Math.floor(x)) * 86400);
    return secs >= 86400 ? 0 : secs;
};
_global.kvIsoWeek = function (d) {
    var w = (kvWeekday0(d) + 6) % 7; // Monday 0
    var thursday = d - w + 3;
    var y = kvYMD(thursday)[0];
    return Math.floor((thursday - kvSerial(y, 1, 1)) / 7) + 1;
};
// The holiday serial numbers of a range or value, as a set.
_global.kvHolidays = function (g) {
    var off = new Object();
    if (g === undefined) {
        return off;
    }
    var values = kvFlat(g);
    for (var i = 0; i < values.length; i++) {
        var x = values[i];
        if (x instanceof kvErrC) {
            return x;
        }
        if (typeof x == "number") {
            off[Math.floor(x)] = true;
        } else if (typeof x == "string") {
            var n = kvParse(x);
            if (isNaN(n)) {
                return kvError("#VALUE!");
            }
            off[Math.floor(n)] = true;
        }
    }
    return off;
};
// ---- finance -------------------------------------------------------------------------------

_global.kvPMT = function (r, n, pv, fv, t) {
    if (r == 0) {
        return -(pv + fv) / n;
    }
    var f = Math.pow(1 + r, n);
    return -(r * (fv + pv * f)) / ((1 + r * t) * (f - 1));
};
_global.kvFV = function (r, n, pmt, pv, t) {
    if (r == 0) {
        return -(pv + pmt * n);
    }
    var f = Math.pow(1 + r, n);
    return -(pv * f + pmt * (1 + r * t) * (f - 1) / r);
};
_global.kvIPMT = function (r, per, n, pv, fv, t) {
    var pmt = kvPMT(r, n, pv, fv, t);
    var interest;
    if (per == 1) {
        interest = t == 1 ? 0 : -pv;
    } else if (t == 1) {
        interest = kvFV(r, per - 2, pmt, pv, 1) - pmt;
    } else {
        interest = kvFV(r, per - 1, pmt, pv, 0);
    }
    return interest * r;
};
// The rate at which values at times (in periods) have a present value of 0, by Newton's
// method; #NUM! without both signs or without convergence.
_global.kvSolveRate = function (values, times, guess) {
    var pos = false;
    var neg = false;
    for (var i = 0; i < values.length; i++) {
        if (values[i] > 0) {
            pos = true;
        } else if (values[i] < 0) {
            neg = true;
        }
    }
    if (!pos || !neg) {
        return kvError("#NUM!");
    }
    var r = guess;
    for (var k = 0; k < 100; k++) {
        var f = 0;
        var df = 0;
        for (var j = 0; j < values.length; j++) {
            var d = Math.pow(1 + r, times[j]);
            f += values[j] / d;
            df -= times[j] * values[j] / (d * (1 + r));
        }
        if (df == 0 || !isFinite(f)) {
            return kvError("#NUM!");
        }
        var step = f / df;
        r -= step;
        if (r <= -1 || !isFinite(r)) {
            return kvError("#NUM!");
        }
        if (Math.abs(step) < 1e-12 * (1 + Math.abs(r))) {
            return r;
        }
    }
    return kvError("#NUM!");
};
// {values, times}: values with their dates as years of 365 days after the first date.
_global.kvDated = function (g, dates) {
    var xs = kvFlat(g);
    var ds = kvFlat(dates);
    if (xs.length != ds.length || xs.length < 2) {
        return kvError("#NUM!");
    }
    var p = new Object();
    p.values = new Array();
    p.times = new Array();
    var d0 = kvN(ds[0]);
    if (typeof d0 != "number") {
        return d0;
    }
    for (var i = 0; i < xs.length; i++) {
        var x = kvN(xs[i]);
        if (typeof x != "number") {
            return x;
        }
        var d = kvN(ds[i]);
        if (typeof d != "number") {
            return d;
        }
        if (Math.floor(d) < Math.floor(d0)) {
            return kvError("#NUM!");
        }
        p.values.push(x);
        p.times.push((Math.floor(d) - Math.floor(d0)) / 365);
    }
    return p;
};

// ---- range indexes for one recalculation pass ------------------------------------------------

// The recalculation sets kvLib.kvPass to a new value before it runs the formulas. Within a pass
// no cell of a range changes once a formula has read the range (formulas run after the cells
// they read), so what a function learns of a range is kept on the range array for the pass.
// A movie that never sets kvPass gets no caching.

// The lookup key of a value for equality criteria: numbers by their text of 15 digits (so
// 0.1+0.2 and 0.3 meet), text without regard to case, blanks and "" together.
_global.kvKeyOf = function (v) {
    var t = typeof v;
    if (t == "number") {
        return "n" + v;
    }
    if (t == "boolean") {
        return v ? "b1" : "b0";
    }
    if (t == "string") {
        return v == "" ? "blank" : "s" + v.toUpperCase();
    }
    if (v === undefined || v === null) {
        return "blank";
    }
    return null;
};
// key -> {count, sum, numbers, error} of the sum cells where the range cells hold the key.
_global.kvEqualIndex = function (range, sums) {
    if (range.kvIndexPass === kvLib.kvPass && range.kvIndexSums === sums) {
        return range.kvIndex;
    }
    var index = new Object();
    var keys = kvFlat(range);
    var values = sums === range ? keys : kvFlat(sums);
    for (var i = 0; i < keys.length; i++) {
        var k = kvKeyOf(keys[i]);
        if (k == null) {
            continue;
        }
        kvIndexAdd(index, k, values[i]);
        if (typeof keys[i] == "string") {
            // text that reads as a number also meets the number
            var n = kvParse(keys[i]);
            if (!isNaN(n)) {
                kvIndexAdd(index, "n" + n, values[i]);
            }
        }
    }
    range.kvIndex = index;
    range.kvIndexSums = sums;
    range.kvIndexPass = kvLib.kvPass;
    return index;
};
_global.kvIndexAdd = function (index, k, x) {
    var e = index[k];
    if (e == undefined) {
        e = new Object();
        e.count = 0;
        e.sum = 0;
        e.numbers = 0;
        index[k] = e;
    }
    e.count++;
    if (typeof x == "number") {
        e.sum += x;
        e.numbers++;
    } else if (x instanceof kvErrC && e.error == undefined) {
        e.error = x;
    }
};
// What SUMIF, COUNTIF and AVERAGEIF need of an equality or numeric comparison criterion on a
// range in this pass: {count, sum, numbers, error}; null where no index applies (no pass,
// another kind of criterion, ranges of different sizes).
_global.kvIndexedIf = function (range, crit, sums) {
    if (kvLib.kvPass == undefined || !(range instanceof Array)) {
        return null;
    }
    if (sums === undefined) {
        sums = range;
    }
    if (!(sums instanceof Array) || sums.length != range.length || kvCols(sums) != kvCols(range)) {
        return null;
    }
    var cr = kvCrit(crit);
    if (cr.value instanceof kvErrC) {
        return null;
    }
    if (cr.op >= 2 && typeof cr.value == "number") {
        var sorted = kvSortedIndex(range, sums);
        return sorted == null ? null : kvSortedHit(sorted, cr.op, cr.value);
    }
    if (cr.op != 0 || cr.wild) {
        return null;
    }
    var k = kvKeyOf(cr.value);
    if (k == null) {
        return null;
    }
    var hit = kvEqualIndex(range, sums)[k];
    if (hit == undefined) {
        hit = new Object();
        hit.count = 0;
        hit.sum = 0;
        hit.numbers = 0;
    }
    return hit;
};
// Variance (root: standard deviation) of the numbers of args; whole: of the population;
// withA: logical values and text in ranges counted.
_global.kvSpread = function (args, withA, whole, root) {
    var v = kvVar(kvNums(args, 0, withA), whole);
    return typeof v == "number" && root ? Math.sqrt(v) : v;
};
// key -> entry for numeric comparison criteria: the range's numbers sorted, each with the sum
// cell beside it, and running totals; null when a sum cell beside a number holds an error
// (which error comes first is then a matter of position, left to the plain walk).
_global.kvSortedIndex = function (range, sums) {
    if (range.kvSortedPass === kvLib.kvPass && range.kvSortedSums === sums) {
        return range.kvSorted;
    }
    var keys = kvFlat(range);
    var values = sums === range ? keys : kvFlat(sums);
    var pairs = new Array();
    var sorted = null;
    var clean = true;
    for (var i = 0; i < keys.length; i++) {
        if (typeof keys[i] == "number") {
            if (values[i] instanceof kvErrC) {
                clean = false;
                break;
            }
            pairs.push([keys[i], values[i]]);
        }
    }
    if (clean) {
        pairs = kvMergeSort(pairs);
        sorted = new Object();
        sorted.keys = new Array();
        sorted.sums = [0];
        sorted.numbers = [0];
        for (var k = 0; k < pairs.length; k++) {
            var x = pairs[k][1];
            var isNumber = typeof x == "number";
            sorted.keys.push(pairs[k][0]);
            sorted.sums.push(sorted.sums[k] + (isNumber ? x : 0));
            sorted.numbers.push(sorted.numbers[k] + (isNumber ? 1 : 0));
        }
    }
    range.kvSorted = sorted;
    range.kvSortedSums = sums;
    range.kvSortedPass = kvLib.kvPass;
    return sorted;
};
// Pairs sorted by their first element, stably, in n log n steps without a comparison
// function (the player's sort with one may take a step per pair of elements).
_global.kvMergeSort = function (items) {
    var n = items.length;
    var from = items;
    var width = 1;
    while (width < n) {
        var to = new Array();
        for (var lo = 0; lo < n; lo += 2 * width) {
            var mid = lo + width < n ? lo + width : n;
            var hi = lo + 2 * width < n ? lo + 2 * width : n;
            var i = lo;
            var j = mid;
            while (i < mid && j < hi) {
                if (from[j][0] < from[i][0]) {
                    to.push(from[j]);
                    j++;
                } else {
                    to.push(from[i]);
                    i++;
                }
            }
            while (i < mid) {
                to.push(from[i]);
                i++;
            }
            while (j < hi) {
                to.push(from[j]);
                j++;
            }
        }
        from = to;
        width *= 2;
    }
    return from;
};
// How many sorted keys come before v: below it (strictly) or, with orEqual, not above it;
// numbers equal as the spreadsheet compares them count as equal.
_global.kvCountBelow = function (keys, v, orEqual) {
    var lo = 0;
    var hi = keys.length;
    while (lo < hi) {
        var mid = Math.floor((lo + hi) / 2);
        var x = keys[mid];
        var d = x - v;
        var below = d == 0 || Math.abs(d) < 3.6e-15 * Math.max(Math.abs(x), Math.abs(v)) ? orEqual : d < 0;
        if (below) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return lo;
};
// {count, sum, numbers} of the keys that meet a numeric comparison (op 2 "<", 3 "<=", 4 ">",
// 5 ">=") with the sorted index.
_global.kvSortedHit = function (sorted, op, v) {
    var n = sorted.keys.length;
    var from = 0;
    var to = n;
    if (op == 2 || op == 3) {
        to = kvCountBelow(sorted.keys, v, op == 3);
    } else {
        from = kvCountBelow(sorted.keys, v, op == 4);
    }
    var hit = new Object();
    hit.count = to - from;
    hit.sum = sorted.sums[to] - sorted.sums[from];
    hit.numbers = sorted.numbers[to] - sorted.numbers[from];
    return hit;
};

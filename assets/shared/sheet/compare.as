// Comparison as the spreadsheet compares: numbers within 15 digits, text without case, wildcards.

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

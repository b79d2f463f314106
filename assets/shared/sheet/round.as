// Rounding to 15 significant digits or to decimals, logarithms, and fixed-point number text.

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

// log of x to a base, exact for powers of the base (LOG(1000, 10) is 3, not 2.9999999999999996).
_global.kvLog = function (x, base) {
    var r = Math.log(x) / Math.log(base);
    var whole = Math.round(r);
    if (Math.abs(r - whole) < 1e-12 && Math.pow(base, whole) == x) {
        return whole;
    }
    return r;
};

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

// CEILING.MATH (up) and FLOOR.MATH of (x, [significance], [mode]): to a multiple of the
// significance's size; a non-zero mode rounds negatives the other way (away from zero for
// CEILING.MATH, toward zero for FLOOR.MATH).
_global.kvRoundMath = function (args, up) {
    var a = kvNumArgs(args, [null, 1, 0]);
    if (a instanceof kvErrC) {
        return a;
    }
    var x = a[0];
    var s = Math.abs(a[1]);
    if (s == 0 || x == 0) {
        return 0;
    }
    if (x < 0 && a[2] != 0) {
        var m = kvR15(-x / s);
        return -(up ? Math.ceil(m) : Math.floor(m)) * s;
    }
    var q = kvR15(x / s);
    return (up ? Math.ceil(q) : Math.floor(q)) * s;
};

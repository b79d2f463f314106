// Coercions of arguments to numbers, text and logical values, and numbers read from text.

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

// A number where the function refuses logical values (#VALUE!) as the analysis functions do:
// TRUE typed or in a cell is no number to them.
_global.kvNNoLogical = function (v) {
    return typeof kvV(v) == "boolean" ? kvError("#VALUE!") : kvN(v);
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
    if (v instanceof kvRangeC || v instanceof kvArrC) {
        return kvScalar(v);
    }
    return v;
};

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

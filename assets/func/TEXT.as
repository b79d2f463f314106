// TEXT(value, format): number, percent, scientific, date and time codes, sections, literals.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
// The format reader lives with TEXT, the only function that needs it.
// The sections of a format, split at semicolons outside quotes.
_global.kvSections = function (f) {
    var out = new Array();
    var cur = "";
    var quoted = false;
    for (var i = 0; i < f.length; i++) {
        var ch = f.charAt(i);
        if (ch == "\"") {
            quoted = !quoted;
            cur += ch;
        } else if (ch == "\\" && !quoted && i + 1 < f.length) {
            cur += ch + f.charAt(i + 1);
            i++;
        } else if (ch == ";" && !quoted) {
            out.push(cur);
            cur = "";
        } else {
            cur += ch;
        }
    }
    out.push(cur);
    return out;
};
_global.kvToken = function (kind, text) {
    var t = new Object();
    t.kind = kind;
    t.text = text;
    return t;
};
// The tokens of one section: kind "lit" (text), "0" "#" "?" (digits), "." "," "%" "@", "E"
// (exponent, text its sign), "gen", and date parts "y" "m" "d" "h" "s" "ampm" "[h]" "[m]" "[s]"
// (text the code as written).
_global.kvTokens = function (sec) {
    var out = new Array();
    var n = sec.length;
    var i = 0;
    while (i < n) {
        var ch = sec.charAt(i);
        var u = ch.toUpperCase();
        if (ch == "\"") {
            var end = sec.indexOf("\"", i + 1);
            if (end < 0) {
                end = n;
            }
            out.push(kvToken("lit", sec.substring(i + 1, end)));
            i = end + 1;
        } else if (ch == "\\" || ch == "_" || ch == "*") {
            if (ch == "\\" && i + 1 < n) {
                out.push(kvToken("lit", sec.charAt(i + 1)));
            } else if (ch == "_") {
                out.push(kvToken("lit", " "));
            }
            i += 2;
        } else if (ch == "[") {
            var close = sec.indexOf("]", i);
            if (close < 0) {
                close = n;
            }
            var inner = sec.substring(i + 1, close).toLowerCase();
            if (inner.length > 0 && (inner.charAt(0) == "h" || inner.charAt(0) == "m" || inner.charAt(0) == "s") &&
                inner.split(inner.charAt(0)).join("") == "") {
                out.push(kvToken("[" + inner.charAt(0) + "]", inner));
            }
            i = close + 1;
        } else if (sec.substr(i, 7).toUpperCase() == "GENERAL") {
            out.push(kvToken("gen", ""));
            i += 7;
        } else if (sec.substr(i, 5).toUpperCase() == "AM/PM") {
            out.push(kvToken("ampm", sec.substr(i, 5)));
            i += 5;
        } else if (sec.substr(i, 3).toUpperCase() == "A/P") {
            out.push(kvToken("ampm", sec.substr(i, 3)));
            i += 3;
        } else if (ch == "0" || ch == "#" || ch == "?" || ch == "." || ch == "," || ch == "%" || ch == "@") {
            out.push(kvToken(ch, ch));
            i++;
        } else if (u == "E" && (sec.charAt(i + 1) == "+" || sec.charAt(i + 1) == "-")) {
            out.push(kvToken("E", sec.charAt(i + 1)));
            i += 2;
        } else if (u == "Y" || u == "M" || u == "D" || u == "H" || u == "S") {
            var j = i;
            while (j < n && sec.charAt(j).toUpperCase() == u) {
                j++;
            }
            out.push(kvToken(u.toLowerCase(), sec.substring(i, j)));
            i = j;
        } else {
            out.push(kvToken("lit", ch));
            i++;
        }
    }
    return out;
};
// Text through a format: the fourth section, or a single section with @; literals kept.
_global.kvFormatText = function (s, f) {
    var secs = kvSections(f);
    var sec = null;
    if (secs.length >= 4) {
        sec = secs[3];
    } else if (secs.length == 1 && f.indexOf("@") >= 0) {
        sec = secs[0];
    }
    if (sec == null) {
        return s;
    }
    var tokens = kvTokens(sec);
    var out = "";
    for (var i = 0; i < tokens.length; i++) {
        if (tokens[i].kind == "lit") {
            out += tokens[i].text;
        } else if (tokens[i].kind == "@") {
            out += s;
        }
    }
    return out;
};
_global.kvPad2 = function (x) {
    return x < 10 ? "0" + x : String(x);
};
// A number through a format.
_global.kvFormat = function (x, f) {
    var secs = kvSections(f);
    var sec = secs[0];
    var sign = false;
    if (secs.length == 1 || (x > 0 || (x == 0 && secs.length == 2))) {
        sign = x < 0;
    } else if (x < 0) {
        sec = secs[1];
    } else {
        sec = secs[2];
    }
    if (secs.length > 1 && x < 0) {
        x = -x;
    }
    var tokens = kvTokens(sec);
    var isDate = false;
    for (var i = 0; i < tokens.length; i++) {
        var k = tokens[i].kind;
        // A number through a text section ("@") shows as the text of the number.
        if (k == "@" && secs.length == 1) {
            return kvFormatText(kvNumText(x), f);
        }
        if (k == "y" || k == "m" || k == "d" || k == "h" || k == "s" || k == "ampm" || k.charAt(0) == "[") {
            isDate = true;
        }
    }
    if (isDate) {
        if (x < 0 && kvElapsedOnly(tokens)) {
            // an elapsed time has a sign; a date or time of day before day 0 has none
            return "-" + kvFormatDate(-x, tokens);
        }
        if (x < 0) {
            return kvError("#VALUE!");
        }
        return kvFormatDate(x, tokens);
    }
    var body = kvFormatNumber(Math.abs(x), tokens);
    return sign && body.nonzero ? "-" + body.text : body.text;
};
// Whether a section counts elapsed hours, minutes or seconds and names no day, month or year.
_global.kvElapsedOnly = function (tokens) {
    var elapsed = false;
    for (var i = 0; i < tokens.length; i++) {
        var k = tokens[i].kind;
        if (k == "y" || k == "d" || k == "ampm") {
            return false;
        }
        if (k.charAt(0) == "[") {
            elapsed = true;
        }
    }
    return elapsed;
};
_global.kvFormatDate = function (x, tokens) {
    var days = Math.floor(x);
    var secs = Math.round((x - days) * 86400);
    if (secs >= 86400) {
        days++;
        secs -= 86400;
    }
    var ymd = kvYMD(days);
    var h = Math.floor(secs / 3600);
    var mi = Math.floor(secs / 60) % 60;
    var se = secs % 60;
    var twelve = false;
    for (var a = 0; a < tokens.length; a++) {
        if (tokens[a].kind == "ampm") {
            twelve = true;
        }
    }
    var out = "";
    for (var i = 0; i < tokens.length; i++) {
        var t = tokens[i];
        var n = t.text.length;
        var k = t.kind;
        if (k == "m") {
            // minutes after hours or before seconds
            var prev = "";
            for (var p = i - 1; p >= 0; p--) {
                if (tokens[p].kind != "lit") {
                    prev = tokens[p].kind;
                    break;
                }
            }
            var next = "";
            for (var q = i + 1; q < tokens.length; q++) {
                if (tokens[q].kind != "lit") {
                    next = tokens[q].kind;
                    break;
                }
            }
            if ((prev == "h" || prev == "[h]" || next == "s") && n <= 2) {
                k = "min";
            }
        }
        if (k == "lit") {
            out += t.text;
        } else if (k == "y") {
            out += n <= 2 ? kvPad2(ymd[0] % 100) : String(ymd[0]);
        } else if (k == "m") {
            if (n == 1) {
                out += ymd[1];
            } else if (n == 2) {
                out += kvPad2(ymd[1]);
            } else if (n == 3) {
                out += kvMonthNames[ymd[1] - 1].substr(0, 3);
            } else if (n == 5) {
                out += kvMonthNames[ymd[1] - 1].substr(0, 1);
            } else {
                out += kvMonthNames[ymd[1] - 1];
            }
        } else if (k == "d") {
            if (n <= 2) {
                out += n == 1 ? String(ymd[2]) : kvPad2(ymd[2]);
            } else {
                var name = kvDayNames[kvWeekday0(days)];
                out += n == 3 ? name.substr(0, 3) : name;
            }
        } else if (k == "h") {
            var hh = twelve ? (h % 12 == 0 ? 12 : h % 12) : h;
            out += n == 1 ? String(hh) : kvPad2(hh);
        } else if (k == "min") {
            out += n == 1 ? String(mi) : kvPad2(mi);
        } else if (k == "s") {
            out += n == 1 ? String(se) : kvPad2(se);
        } else if (k == "ampm") {
            var pm = h >= 12;
            if (t.text.length == 3) {
                out += pm ? t.text.charAt(2) : t.text.charAt(0);
            } else {
                out += pm ? t.text.substr(3, 2) : t.text.substr(0, 2);
            }
        } else if (k == "[h]") {
            out += String(days * 24 + h);
        } else if (k == "[m]") {
            out += String((days * 24 + h) * 60 + mi);
        } else if (k == "[s]") {
            out += String(days * 86400 + secs);
        } else if (k == "." || k == "," || k == "0" || k == "#" || k == "?") {
            out += t.text;
        }
    }
    return out;
};
// {text, nonzero}: a non-negative number through the number tokens of a section.
_global.kvIsDigitToken = function (t) {
    return t != undefined && (t.kind == "0" || t.kind == "#" || t.kind == "?");
};
// Digits placed in digit tokens from first to last: right-aligned (left for a denominator);
// a place without a digit shows 0 for "0", a space for "?", nothing for "#".
_global.kvFillDigits = function (digits, tokens, first, last, leftAligned) {
    var count = last - first + 1;
    var out = "";
    if (leftAligned) {
        out = digits;
        for (var i = first + digits.length; i <= last; i++) {
            out += tokens[i].kind == "?" ? " " : (tokens[i].kind == "0" ? "0" : "");
        }
        return out;
    }
    var pad = "";
    for (var j = first; j < last + 1 - digits.length; j++) {
        pad += tokens[j].kind == "?" ? " " : (tokens[j].kind == "0" ? "0" : "");
    }
    return count > digits.length ? pad + digits : digits;
};
// A number in a fraction format (# ?/?, ?/8): the whole part where the format has digits for
// it, then the numerator and denominator nearest the rest with as many denominator digits as
// the format has (or its written denominator). None when the format is no fraction.
_global.kvFormatFraction = function (x, tokens) {
    var slash = -1;
    for (var i = 1; i < tokens.length; i++) {
        if (tokens[i].kind == "lit" && tokens[i].text == "/" && kvIsDigitToken(tokens[i - 1])) {
            slash = i;
            break;
        }
    }
    if (slash < 0) {
        return null;
    }
    var numFirst = slash - 1;
    while (numFirst > 0 && kvIsDigitToken(tokens[numFirst - 1])) {
        numFirst--;
    }
    var denLast = slash;
    while (denLast + 1 < tokens.length && kvIsDigitToken(tokens[denLast + 1])) {
        denLast++;
    }
    var fixed = "";
    var after = denLast + 1;
    if (denLast == slash) {
        while (after < tokens.length && tokens[after].kind == "lit" && tokens[after].text >= "0" &&
               tokens[after].text <= "9" && tokens[after].text.length == 1) {
            fixed += tokens[after].text;
            after++;
        }
        if (fixed == "" || Number(fixed) == 0) {
            return null;
        }
    }
    var intFirst = -1;
    var intLast = -1;
    for (var t = numFirst - 1; t >= 0; t--) {
        if (kvIsDigitToken(tokens[t])) {
            if (intLast < 0) {
                intLast = t;
            }
            intFirst = t;
        } else if (intLast >= 0) {
            break;
        }
    }
    var whole = intLast >= 0 ? Math.floor(x) : 0;
    var rest = x - whole;
    var num;
    var den;
    if (fixed != "") {
        den = Number(fixed);
        num = Math.round(rest * den);
    } else {
        var most = Math.pow(10, denLast - slash) - 1;
        var best = 2;
        num = 0;
        den = 1;
        for (var q = 1; q <= most; q++) {
            var p = Math.round(rest * q);
            var miss = Math.abs(rest - p / q);
            if (miss < best - 1e-15) {
                best = miss;
                num = p;
                den = q;
            }
        }
    }
    if (intLast >= 0 && num == den) {
        whole++;
        num = 0;
    }
    var out = "";
    for (var o = 0; o < tokens.length; o++) {
        var k = tokens[o].kind;
        if (o == intFirst) {
            var w = whole == 0 ? "" : String(whole);
            out += kvFillDigits(w, tokens, intFirst, intLast, false);
            o = intLast;
        } else if (o == numFirst) {
            var numText = kvFillDigits(String(num), tokens, numFirst, slash - 1, false);
            var denText = fixed != "" ? fixed : kvFillDigits(String(den), tokens, slash + 1, denLast, true);
            if (num == 0 && intLast >= 0) {
                // a whole number: the fraction's places stay blank
                var blank = "";
                for (var b = 0; b < numText.length + 1 + denText.length; b++) {
                    blank += " ";
                }
                out += blank;
            } else {
                out += numText + "/" + denText;
            }
            o = fixed != "" ? after - 1 : denLast;
        } else if (k == "lit") {
            out += tokens[o].text;
        } else if (k == "%") {
            out += "%";
        }
    }
    var result = new Object();
    result.text = out;
    result.nonzero = x != 0;
    return result;
};
_global.kvFormatNumber = function (x, tokens) {
    var fraction = kvFormatFraction(x, tokens);
    if (fraction != null) {
        return fraction;
    }
    var i;
    var k;
    var result = new Object();
    var point = -1;
    var expAt = -1;
    var lastInt = -1;
    var firstInt = -1;
    for (i = 0; i < tokens.length; i++) {
        k = tokens[i].kind;
        if (k == "%") {
            x *= 100;
        } else if (k == "." && point < 0 && expAt < 0) {
            point = i;
        } else if (k == "E" && expAt < 0) {
            expAt = i;
        } else if ((k == "0" || k == "#" || k == "?") && point < 0 && expAt < 0) {
            if (firstInt < 0) {
                firstInt = i;
            }
            lastInt = i;
        }
    }
    var numEnd = expAt >= 0 ? expAt : tokens.length;
    var decimals = 0;
    var group = false;
    for (i = 0; i < numEnd; i++) {
        k = tokens[i].kind;
        if ((k == "0" || k == "#" || k == "?") && point >= 0 && i > point) {
            decimals++;
        }
        if (k == ",") {
            if (i > firstInt && i < lastInt) {
                group = true;
            } else if (i > lastInt && lastInt >= 0 && (point < 0 || i < point)) {
                // commas after the digits scale by thousands
                x /= 1000;
            }
        }
    }
    if (firstInt < 0 && point < 0 && expAt < 0) {
        // no digits at all: General, or literals only
        var plain = "";
        for (i = 0; i < tokens.length; i++) {
            if (tokens[i].kind == "gen") {
                plain += kvNumText(x);
            } else if (tokens[i].kind == "lit") {
                plain += tokens[i].text;
            } else if (tokens[i].kind == "%") {
                plain += "%";
            }
        }
        result.text = plain;
        result.nonzero = x != 0;
        return result;
    }
    var exponent = 0;
    var intCount = 0;
    for (i = 0; i < numEnd; i++) {
        k = tokens[i].kind;
        if ((k == "0" || k == "#" || k == "?") && (point < 0 || i < point)) {
            intCount++;
        }
    }
    if (expAt >= 0 && x != 0) {
        var shift = intCount > 0 ? intCount : 1;
        exponent = Math.floor(Math.log(x) / Math.LN10 + 1e-12) - (shift - 1);
        x = kvR15(x / Math.pow(10, exponent));
        if (kvRound(x, decimals, 0) >= Math.pow(10, shift)) {
            x /= 10;
            exponent++;
        }
    }
    var fixed = kvFixedText(x, decimals, false);
    var dot = fixed.indexOf(".");
    var ip = dot < 0 ? fixed : fixed.substring(0, dot);
    var fp = dot < 0 ? "" : fixed.substring(dot + 1);
    result.nonzero = ip.split("0").join("") != "" || fp.split("0").join("") != "";
    var minInt = 0;
    var literalsInside = false;
    for (i = firstInt; i >= 0 && i <= lastInt; i++) {
        k = tokens[i].kind;
        if (k == "0") {
            minInt++;
        } else if (k == "lit") {
            literalsInside = true;
        }
    }
    if (ip == "0" && minInt == 0) {
        ip = "";
    }
    while (ip.length < minInt) {
        ip = "0" + ip;
    }
    var assigned = new Array();
    if (group || !literalsInside) {
        if (group) {
            var g = "";
            while (ip.length > 3) {
                g = "," + ip.substr(ip.length - 3) + g;
                ip = ip.substr(0, ip.length - 3);
            }
            ip += g;
        }
        assigned[firstInt] = ip;
    } else {
        var left = ip.length;
        for (i = lastInt; i >= firstInt; i--) {
            k = tokens[i].kind;
            if (k == "0" || k == "#" || k == "?") {
                if (left > 0) {
                    assigned[i] = ip.charAt(left - 1);
                    left--;
                } else {
                    assigned[i] = k == "?" ? " " : "";
                }
            }
        }
        if (left > 0) {
            assigned[firstInt] = ip.substring(0, left) + assigned[firstInt];
        }
    }
    // decimals: trailing zeros under # vanish, under ? become spaces
    var decTokens = new Array();
    for (i = point + 1; point >= 0 && i < numEnd; i++) {
        k = tokens[i].kind;
        if (k == "0" || k == "#" || k == "?") {
            decTokens.push(i);
        }
    }
    var keep = fp.length;
    while (keep > 0 && fp.charAt(keep - 1) == "0" && tokens[decTokens[keep - 1]].kind != "0") {
        keep--;
    }
    for (var d = 0; d < decTokens.length; d++) {
        if (d < keep) {
            assigned[decTokens[d]] = fp.charAt(d);
        } else {
            assigned[decTokens[d]] = tokens[decTokens[d]].kind == "?" ? " " : "";
        }
    }
    var out = "";
    for (i = 0; i < tokens.length; i++) {
        k = tokens[i].kind;
        if (k == "lit") {
            out += tokens[i].text;
        } else if (k == "%") {
            out += "%";
        } else if (k == "." && i == point) {
            // a format without digits before its point still shows the whole part there
            out += (firstInt < 0 ? ip : "") + ".";
        } else if (k == "0" || k == "#" || k == "?") {
            if (i < numEnd || expAt < 0) {
                out += assigned[i] === undefined ? "" : assigned[i];
            }
        } else if (k == "E") {
            var digits = 0;
            for (var e = i + 1; e < tokens.length; e++) {
                var ek = tokens[e].kind;
                if (ek == "0" || ek == "#" || ek == "?") {
                    digits++;
                } else if (ek != "lit" || digits > 0) {
                    break;
                }
            }
            var es = String(Math.abs(exponent));
            while (es.length < digits) {
                es = "0" + es;
            }
            out += tokens[i].text == "+" || exponent < 0 ? (exponent < 0 ? "E-" : "E+") : "E";
            out += es;
        } else if (k == "gen") {
            out += kvNumText(x);
        }
    }
    result.text = out;
    return result;
};

kvLib.TEXT = function (v, f) {
    v = kvV(v);
    if (v instanceof kvErrC) {
        return v;
    }
    f = kvS(f);
    if (typeof f != "string") {
        return f;
    }
    if (typeof v == "boolean") {
        return v ? "TRUE" : "FALSE";
    }
    var x = v === undefined ? 0 : v;
    if (typeof x == "string") {
        var n = kvParse(x);
        if (isNaN(n)) {
            return kvFormatText(x, f);
        }
        x = n;
    }
    return kvFormat(x, f);
};

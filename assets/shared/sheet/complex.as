// Complex numbers as the engineering functions write them: text such as "3+4i", "-2.5j", "i".

// A complex number {re, im, unit} read from an argument (a number is real), or the error:
// #NUM! for text that is no complex number, #VALUE! for a logical value.
_global.kvComplexArg = function (v) {
    v = kvV(v);
    if (v instanceof kvErrC) {
        return v;
    }
    if (typeof v == "boolean") {
        return kvError("#VALUE!");
    }
    if (typeof v == "number") {
        return kvComplex(v, 0, "");
    }
    var z = kvComplexParse(v === undefined || v === null ? "0" : v);
    return z == null ? kvError("#NUM!") : z;
};

_global.kvComplex = function (re, im, unit) {
    var z = new Object();
    z.re = re;
    z.im = im;
    z.unit = unit;
    return z;
};

// The length of the number that starts at i in s (an optional sign, digits with a point, an
// exponent), 0 when there is none.
_global.kvNumberLength = function (s, i) {
    var j = i;
    if (s.charAt(j) == "+" || s.charAt(j) == "-") {
        j++;
    }
    var digits = 0;
    var point = false;
    while (kvIsDigit(s.charAt(j)) || (s.charAt(j) == "." && !point)) {
        if (s.charAt(j) == ".") {
            point = true;
        } else {
            digits++;
        }
        j++;
    }
    if (digits == 0) {
        return 0;
    }
    if ((s.charAt(j) == "e" || s.charAt(j) == "E") && (kvIsDigit(s.charAt(j + 1)) ||
        ((s.charAt(j + 1) == "+" || s.charAt(j + 1) == "-") && kvIsDigit(s.charAt(j + 2))))) {
        j += 2;
        while (kvIsDigit(s.charAt(j))) {
            j++;
        }
    }
    return j - i;
};

// "a", "bi", "a+bi", "a-bi", "i", "-i", "a+i" (j for i as well); null when it is none of those.
_global.kvComplexParse = function (s) {
    var n = s.length;
    if (n == 0) {
        return kvComplex(0, 0, "");
    }
    var last = s.charAt(n - 1);
    var unit = last == "i" || last == "j" ? last : "";
    var body = unit == "" ? s : s.substr(0, n - 1);
    var first = kvNumberLength(body, 0);
    if (unit == "") {
        return first == body.length ? kvComplex(Number(body), 0, "") : null;
    }
    // the imaginary part: a signed number, a sign alone (1), or nothing (1)
    var re = 0;
    var rest = body;
    if (first > 0 && first < body.length) {
        re = Number(body.substr(0, first));
        rest = body.substr(first);
        if (rest.charAt(0) != "+" && rest.charAt(0) != "-") {
            return null;
        }
    }
    var im;
    if (rest == "" || rest == "+") {
        im = 1;
    } else if (rest == "-") {
        im = -1;
    } else if (kvNumberLength(rest, 0) == rest.length) {
        im = Number(rest);
    } else {
        return null;
    }
    return kvComplex(re, im, unit);
};

// The unit both numbers agree on ("" counts as either); null when one writes i and the other j.
_global.kvUnitOf = function (a, b) {
    if (a == "" || b == "" || a == b) {
        return a == "" ? b : a;
    }
    return null;
};

// The text of a complex number; the unit i unless the arguments wrote j.
_global.kvComplexText = function (re, im, unit) {
    if (!isFinite(re) || !isFinite(im)) {
        return kvError("#NUM!");
    }
    unit = unit == "" ? "i" : unit;
    re = kvR15(re);
    im = kvR15(im);
    if (im == 0) {
        return kvNumText(re);
    }
    var imText = im == 1 ? unit : (im == -1 ? "-" + unit : kvNumText(im) + unit);
    if (re == 0) {
        return imText;
    }
    return kvNumText(re) + (im > 0 ? "+" : "") + imText;
};

// The complex numbers of the arguments (ranges cell by cell, blanks skipped), or the error.
_global.kvComplexList = function (args) {
    var out = new Array();
    for (var a = 0; a < args.length; a++) {
        var v = args[a];
        var values = v instanceof kvRangeC || v instanceof kvArrC ? kvFlat(v) : [v];
        for (var i = 0; i < values.length; i++) {
            if (values[i] === undefined && values.length > 1) {
                continue;
            }
            var z = kvComplexArg(values[i]);
            if (z instanceof kvErrC) {
                return z;
            }
            out.push(z);
        }
    }
    return out;
};

_global.kvCosh = function (x) {
    return (Math.exp(x) + Math.exp(-x)) / 2;
};

_global.kvSinh = function (x) {
    return (Math.exp(x) - Math.exp(-x)) / 2;
};

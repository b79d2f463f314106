// Numbers written in base 2, 8 or 16 as the conversion functions read and write them: at most
// ten digits, a negative number as the ten-digit two's complement.

// The number a text (or a whole number typed as such digits) stands for in base, or the error.
_global.kvBaseIn = function (v, base) {
    v = kvV(v);
    if (v instanceof kvErrC) {
        return v;
    }
    if (typeof v == "boolean") {
        return kvError("#VALUE!");
    }
    var s = kvS(v).toUpperCase();
    if (s.length > 10) {
        return kvError("#NUM!");
    }
    var x = 0;
    for (var i = 0; i < s.length; i++) {
        var d = "0123456789ABCDEF".indexOf(s.charAt(i));
        if (d < 0 || d >= base) {
            return kvError("#NUM!");
        }
        x = x * base + d;
    }
    var whole = Math.pow(base, 10);
    return s.length == 10 && x >= whole / 2 ? x - whole : x;
};

// The digits of x in base, padded with zeros to places when given; #NUM! outside what ten
// digits of the base hold, or when the digits need more places than given.
_global.kvBaseOut = function (x, base, places) {
    if (typeof x != "number") {
        return x;
    }
    x = kvTrunc(x);
    var whole = Math.pow(base, 10);
    if (x < -whole / 2 || x >= whole / 2) {
        return kvError("#NUM!");
    }
    if (x < 0) {
        // places is not used for a negative number, but must still be a valid count
        if (places !== undefined) {
            var q = kvNNoLogical(places);
            if (typeof q != "number") {
                return q;
            }
            q = kvTrunc(q);
            if (q < 1 || q > 10) {
                return kvError("#NUM!");
            }
        }
        return kvDigits(whole + x, base);
    }
    var s = kvDigits(x, base);
    if (places === undefined) {
        return s;
    }
    var p = kvNNoLogical(places);
    if (typeof p != "number") {
        return p;
    }
    p = kvTrunc(p);
    if (p < 1 || p > 10 || s.length > p) {
        return kvError("#NUM!");
    }
    while (s.length < p) {
        s = "0" + s;
    }
    return s;
};

// The digits of a whole number 0 <= x < 16^10 in base; the player's own conversion takes only
// 32 bits.
_global.kvDigits = function (x, base) {
    var s = "";
    do {
        var d = x % base;
        s = "0123456789ABCDEF".charAt(d) + s;
        x = (x - d) / base;
    } while (x > 0);
    return s;
};

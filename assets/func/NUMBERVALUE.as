// NUMBERVALUE(text, [decimal separator], [group separator])
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.NUMBERVALUE = function (v, dec, grp) {
    var s = kvS(v);
    if (typeof s != "string") {
        return s;
    }
    dec = dec === undefined ? "." : kvS(dec);
    if (typeof dec != "string") {
        return dec;
    }
    grp = grp === undefined ? "," : kvS(grp);
    if (typeof grp != "string") {
        return grp;
    }
    if (dec.length == 0 || grp.length == 0) {
        return kvError("#VALUE!");
    }
    dec = dec.charAt(0);
    grp = grp.charAt(0);
    var out = "";
    var seen = false;
    var percent = 0;
    for (var i = 0; i < s.length; i++) {
        var ch = s.charAt(i);
        if (ch == " ") {
            continue;
        }
        if (ch == dec) {
            if (seen) {
                return kvError("#VALUE!");
            }
            seen = true;
            out += ".";
        } else if (ch == grp) {
            if (seen) {
                return kvError("#VALUE!");
            }
        } else if (ch == "%") {
            percent++;
        } else {
            if (percent > 0) {
                return kvError("#VALUE!");
            }
            out += ch;
        }
    }
    if (out == "") {
        return 0;
    }
    var x = kvParse(out);
    if (isNaN(x)) {
        return kvError("#VALUE!");
    }
    return x / Math.pow(100, percent);
};

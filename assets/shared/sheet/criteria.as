// Criteria of the *IF(S) functions and the cells of ranges that meet them.

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
    cr.typed = true;
    var ops = ["<>", "<=", ">=", "<", ">", "="];
    var codes = [1, 3, 5, 2, 4, 0];
    for (var k = 0; k < ops.length; k++) {
        if (s.substr(0, ops[k].length) == ops[k]) {
            cr.op = codes[k];
            cr.written = true;
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
    var empty = t == "undefined" || x == null;
    var blank = empty || x === "";
    if (x instanceof kvErrC) {
        return cr.op == 1;
    }
    if (tv == "string" && v == "") {
        // "" alone matches empty cells and empty text; "=" only empty cells, "<>" every other
        if (cr.op == 0) {
            return cr.written ? empty : blank;
        }
        if (cr.op == 1) {
            return !empty;
        }
    }
    if (tv == "number") {
        if (t == "string" && cr.op <= 1 && cr.typed) {
            // text that reads as the number is equal to a number typed as text ("7" meets "7",
            // not 7)
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

// The cells of the (range, criterion) pairs of args from index first on that meet all
// criteria, as flat indexes; an error when a criterion is an error or the ranges differ in size.
_global.kvIfsMask = function (args, first) {
    var rows = kvRows(args[first]);
    var cols = kvCols(args[first]);
    var n = rows * cols;
    var crits = new Array();
    for (var a = first; a + 1 < args.length; a += 2) {
        if (kvRows(args[a]) != rows || kvCols(args[a]) != cols) {
            return kvError("#VALUE!");
        }
        var cr = kvCrit(args[a + 1]);
        if (cr.value instanceof kvErrC) {
            return cr.value;
        }
        crits.push(cr);
    }
    // The cells an equality criterion's index holds for it (ifindex.as), when one applies: only
    // they are tried, in order, against every criterion.
    var tried = typeof kvIfsCandidates == "function" ? kvIfsCandidates(args, first, crits) : null;
    var values = new Array();
    for (var c = 0; c < crits.length; c++) {
        values.push(kvKeptFlat(args[first + 2 * c]));
    }
    var out = new Array();
    var count = tried == null ? n : tried.length;
    for (var i = 0; i < count; i++) {
        var k = tried == null ? i : tried[i];
        var meets = true;
        for (var m = 0; m < crits.length && meets; m++) {
            meets = kvMeets(crits[m], values[m][k]);
        }
        if (meets) {
            out.push(k);
        }
    }
    return out;
};

// The numbers of grid g at the given flat indexes (text and blanks left out).
_global.kvPick = function (g, indexes) {
    var values = kvKeptFlat(g);
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

// SUBTOTAL(function, ranges...): 1-11 and 101-111 for AVERAGE, COUNT, COUNTA, MAX, MIN,
// PRODUCT, STDEV, STDEVP, SUM, VAR, VARP.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
// SUBTOTAL's functions 1..11 over the arguments from index 1 on.
_global.kvSubtotal = function (f, args) {
    if (f == 2 || f == 3) {
        return kvCount(kvArgList(args, 1), f == 3);
    }
    var xs = kvNums(args, 1, false);
    if (xs instanceof kvErrC) {
        return xs;
    }
    if (f == 1) {
        return xs.length == 0 ? kvError("#DIV/0!") : kvMean(xs);
    }
    if (f == 4 || f == 5) {
        return kvExtreme(xs, f == 4 ? 1 : -1);
    }
    if (f == 6) {
        var p = 1;
        for (var i = 0; i < xs.length; i++) {
            p *= xs[i];
        }
        return xs.length == 0 ? 0 : kvFin(p);
    }
    if (f == 9) {
        return kvFin(kvSum(xs));
    }
    var v = kvVar(xs, f == 8 || f == 11);
    if (typeof v != "number" || f >= 10) {
        return v;
    }
    return Math.sqrt(v);
};

// The arguments of SUBTOTAL with each range's values but those of the cells that hold a
// SUBTOTAL themselves (kvSubCell marks them as they are computed, before any total over them):
// a total of totals would count every amount twice. With hidden, the rows the workbook hides
// (the band's kvHidden) are left out too.
_global.kvSubtotalArgs = function (args, hidden) {
    var marked = _global.kvSubCells;
    if (marked == undefined) {
        if (!hidden) {
            return args;
        }
        marked = new Object();
    }
    var out = [args[0]];
    for (var i = 1; i < args.length; i++) {
        var g = args[i];
        if (!(g instanceof kvRangeC)) {
            out.push(g);
            continue;
        }
        var values = new Array();
        var end = g.o + kvBandRows(g);
        var skipped = hidden ? g.b.kvHidden : undefined;
        for (var r = g.o; r < end; r++) {
            var row = g.b[r];
            if (row == undefined || (skipped != undefined && skipped[r] === true)) {
                continue;
            }
            for (var c = 0; c < g.cols; c++) {
                var name = row[c];
                if (name != undefined && marked[name] !== true) {
                    values.push(kvTimeline[name]);
                }
            }
        }
        out.push(new kvArrC(values.length, 1, values));
    }
    return out;
};

kvLib.SUBTOTAL = function (f) {
    var a = kvNumArgs([f], [null]);
    if (a instanceof kvErrC) {
        return a;
    }
    f = kvTrunc(a[0]);
    var hidden = f > 100;
    if (hidden) {
        f -= 100;
    }
    if (f < 1 || f > 11) {
        return kvError("#VALUE!");
    }
    return kvSubtotal(f, kvSubtotalArgs(arguments, hidden));
};

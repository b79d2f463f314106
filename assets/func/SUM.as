// SUM(values...): the sum of the numbers.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.SUM = function () {
    var s = 0;
    for (var i = 0; i < arguments.length; i++) {
        var v = arguments[i];
        if (typeof v == "number") {
            s += v;
        } else if (v instanceof Array) {
            // the common case, kept free of copies
            for (var r = 0; r < v.length; r++) {
                var row = v[r];
                for (var c = 0; c < row.length; c++) {
                    var x = kvTimeline[row[c]];
                    if (typeof x == "number") {
                        s += x;
                    } else if (x instanceof kvErrC) {
                        return x;
                    }
                }
            }
        } else {
            var xs = kvNums([v], 0, false);
            if (xs instanceof kvErrC) {
                return xs;
            }
            s += kvSum(xs);
        }
    }
    return kvFin(s);
};

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
        } else if (v instanceof kvRangeC) {
            if (s == 0 && kvLib.kvPass != undefined) {
                // adding to nothing, the running sum of the band from the range's first row
                // is the very sum the walk below makes
                var run = kvRunOf(v);
                var n = kvBandRows(v);
                if (n >= run.sums.length) {
                    return run.error;
                }
                s = run.sums[n];
                continue;
            }
            // the common case, kept free of copies and calls
            var b = v.b;
            var cols = v.cols;
            var end = v.o + kvBandRows(v);
            for (var r = v.o; r < end; r++) {
                var row = b[r];
                if (row == undefined) {
                    continue;
                }
                for (var c = 0; c < cols; c++) {
                    var y = kvTimeline[row[c]];
                    if (typeof y == "number") {
                        s += y;
                    } else if (y instanceof kvErrC) {
                        return y;
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

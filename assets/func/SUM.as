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
                var x = kvSumFrom(v);
                if (typeof x != "number") {
                    return x;
                }
                s = x;
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
// The sum of the numbers of a range or its first error, through running sums kept on its band
// for the recalculation pass, one for each first row the ranges read from: ranges from the same
// first row (a running total's $A$2:A2, $A$2:A3, ...) extend them by their last rows alone
// instead of each walking every row. Within a pass no cell changes once a formula has read it,
// and the sums are only extended across rows of the range being read, whose cells are computed
// by then.
_global.kvSumFrom = function (v) {
    var b = v.b;
    if (b.kvSumPass !== kvLib.kvPass) {
        b.kvSumPass = kvLib.kvPass;
        b.kvSumRuns = new Object();
    }
    var o = v.o;
    var run = b.kvSumRuns[o];
    if (run == undefined) {
        run = new Object();
        // sums[k]: the sum of the numbers of rows o .. o + k - 1
        run.sums = [0];
        // the first error, from row o + sums.length - 1 where the sums stop
        run.error = undefined;
        b.kvSumRuns[o] = run;
    }
    var sums = run.sums;
    var n = kvBandRows(v);
    var done = sums.length - 1;
    if (n > done) {
        if (run.error != undefined) {
            return run.error;
        }
        var cols = v.cols;
        var s = sums[done];
        for (var r = o + done; r < o + n; r++) {
            var row = b[r];
            if (row != undefined) {
                for (var c = 0; c < cols; c++) {
                    var y = kvTimeline[row[c]];
                    if (typeof y == "number") {
                        s += y;
                    } else if (y instanceof kvErrC) {
                        run.error = y;
                        return y;
                    }
                }
            }
            sums.push(s);
        }
    }
    return sums[n];
};

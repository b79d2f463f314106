// SUM(values...): the sum of the numbers.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.SUM = function (v) {
    // one range, as nearly every call has it: its total, without the walk of the arguments
    if (v instanceof kvRangeC && arguments.length == 1) {
        var total;
        var b = v.b;
        var o = v.o;
        var end = o + v.rows;
        var n = b.length;
        if (end > n) {
            end = n > o ? n : o;
        }
        var run = b.kvRunLast;
        if (run != undefined && run.pass === kvLib.kvPass && o >= run.start && end <= run.done) {
            // kvRangeTotal written out for the run the window before extended
            var a = o - run.start;
            var z = end - run.start;
            var errors = run.errors;
            if (errors[z] == errors[a]) {
                var hi = run.hi;
                var lo = run.lo;
                total = (hi[z] - hi[a]) + (lo[z] - lo[a]);
            }
        } else {
            total = kvRangeTotal(v);
        }
        if (total !== undefined) {
            // 0 + total: no negative zero, as the walk's sum from 0 has none
            total += 0;
            return total - total == 0 ? total : kvError("#NUM!");
        }
    }
    var s = 0;
    for (var i = 0; i < arguments.length; i++) {
        v = arguments[i];
        if (typeof v == "number") {
            s += v;
        } else if (v instanceof kvRangeC) {
            // a range's total through its band's running sums, read once a pass
            var total = kvRangeTotal(v);
            if (total !== undefined) {
                s += total;
                continue;
            }
            // a range holding an error, or no pass: the walk finds the first error
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
    // s - s is 0 for every finite s
    return s - s == 0 ? s : kvError("#NUM!");
};

// The numbers, counts and logical values of aggregate arguments, and what is computed of them.

// The numbers of aggregate arguments from index first on, or the first error met. In ranges
// only numbers count (withA: logical values as 1 and 0, text as 0); values given directly
// count when they read as numbers (TRUE, "2").
_global.kvNums = function (args, first, withA) {
    var out = new Array();
    for (var i = first; i < args.length; i++) {
        var v = args[i];
        var t = typeof v;
        if (t == "number") {
            out.push(v);
        } else if (t == "boolean") {
            out.push(v ? 1 : 0);
        } else if (t == "string") {
            var x = kvParse(v);
            if (!isNaN(x)) {
                out.push(x);
            } else if (withA) {
                out.push(0);
            }
        } else if (v instanceof kvErrC) {
            return v;
        } else if (v instanceof kvRangeC || v instanceof kvArrC) {
            var values = kvFlat(v);
            for (var k = 0; k < values.length; k++) {
                var y = values[k];
                var ty = typeof y;
                if (ty == "number") {
                    out.push(y);
                } else if (y instanceof kvErrC) {
                    return y;
                } else if (withA) {
                    if (ty == "boolean") {
                        out.push(y ? 1 : 0);
                    } else if (ty == "string") {
                        out.push(0);
                    }
                }
            }
        }
    }
    return out;
};

_global.kvSum = function (xs) {
    var s = 0;
    for (var i = 0; i < xs.length; i++) {
        s += xs[i];
    }
    return s;
};

_global.kvMean = function (xs) {
    return kvSum(xs) / xs.length;
};

// Sum of squared deviations from the mean.
_global.kvDev2 = function (xs) {
    var m = kvMean(xs);
    var s = 0;
    for (var i = 0; i < xs.length; i++) {
        s += (xs[i] - m) * (xs[i] - m);
    }
    return s;
};

_global.kvAscending = function (a, b) {
    return a - b;
};

_global.kvSorted = function (xs) {
    var s = xs.slice(0);
    s.sort(kvAscending);
    return s;
};

// Variance of numbers (sample unless whole), or the error.
_global.kvVar = function (xs, whole) {
    if (typeof xs.length != "number") {
        return xs;
    }
    var n = xs.length;
    if (n == 0 || (!whole && n < 2)) {
        return kvError("#DIV/0!");
    }
    return kvDev2(xs) / (whole ? n : n - 1);
};

// Variance (root: standard deviation) of the numbers of args; whole: of the population;
// withA: logical values and text in ranges counted.
_global.kvSpread = function (args, withA, whole, root) {
    var v = kvVar(kvNums(args, 0, withA), whole);
    return typeof v == "number" && root ? Math.sqrt(v) : v;
};

// The largest (sign 1) or smallest (sign -1) number; 0 of none.
_global.kvExtreme = function (xs, sign) {
    if (xs.length == 0) {
        return 0;
    }
    var m = xs[0];
    for (var i = 1; i < xs.length; i++) {
        if ((xs[i] - m) * sign > 0) {
            m = xs[i];
        }
    }
    return m;
};

// The numbers (all: the non-blank values) among args.
_global.kvCount = function (args, all) {
    var n = 0;
    for (var i = 0; i < args.length; i++) {
        var v = args[i];
        if (v instanceof kvRangeC || v instanceof kvArrC) {
            var values = kvFlat(v);
            for (var k = 0; k < values.length; k++) {
                var x = values[k];
                if (all ? x !== undefined && x !== null : typeof x == "number") {
                    n++;
                }
            }
        } else {
            var t = typeof v;
            if (all ? v !== undefined : t == "number" || t == "boolean" || (t == "string" && !isNaN(kvParse(v)))) {
                n++;
            }
        }
    }
    return n;
};

// The logical values of AND, OR and XOR: {count, trues}, or the first error. Numbers count as
// TRUE unless 0; text given directly must read TRUE or FALSE; in ranges text and blanks are
// skipped.
_global.kvLogicals = function (args) {
    var r = new Object();
    r.count = 0;
    r.trues = 0;
    for (var i = 0; i < args.length; i++) {
        var v = args[i];
        var values;
        var direct = !(v instanceof kvRangeC || v instanceof kvArrC);
        values = direct ? [v] : kvFlat(v);
        for (var k = 0; k < values.length; k++) {
            var x = values[k];
            var t = typeof x;
            if (x instanceof kvErrC) {
                return x;
            }
            if (t == "string" && direct) {
                x = kvB(x);
                if (x instanceof kvErrC) {
                    return x;
                }
                t = "boolean";
            }
            if (t == "number" || t == "boolean") {
                r.count++;
                if (x != 0) {
                    r.trues++;
                }
            }
        }
    }
    return r;
};

// The k-th largest (large) or smallest number of a range (LARGE, SMALL); k rounds up.
_global.kvKth = function (g, k, large) {
    var xs = kvNums([g], 0, false);
    if (xs instanceof kvErrC) {
        return xs;
    }
    var a = kvNumArgs([k], [null]);
    if (a instanceof kvErrC) {
        return a;
    }
    k = Math.ceil(a[0]);
    if (k < 1 || k > xs.length) {
        return kvError("#NUM!");
    }
    return kvSorted(xs)[large ? xs.length - k : k - 1];
};

// The sums, counts and errors of a band's rows, kept on the band for the recalculation pass
// (ifindex.as says why a pass may keep them): a run from a first row on holds, for its first k
// rows, hi[k] + lo[k], their numbers added with compensation, counts[k] the numbers among them
// and errors[k] the errors (undefined while there are none). Any range starting on a row the
// run holds reads its total as the difference of two entries, so a running total ($A$2:A2,
// $A$2:A3, ...) and a sliding window (A1:A100, A2:A101, ...) each read every row of the band
// once a pass, not once a formula. A run is only extended across rows of the range being read,
// whose cells are computed by then; a range starting outside every run the band holds starts a
// run of its own. end: where the range's rows the band holds end (kvRangeEnd). A band whose
// cells no formula writes (kvNoFormulas, set by the publisher) may be read beyond the range.
_global.kvRunOf = function (v, end) {
    var b = v.b;
    if (b.kvRunPass !== kvLib.kvPass) {
        b.kvRunPass = kvLib.kvPass;
        b.kvRuns = new Object();
        b.kvRunLast = undefined;
    }
    var o = v.o;
    var run = b.kvRunLast;
    if (run == undefined || o < run.start || o >= run.start + run.hi.length) {
        run = b.kvRuns[o];
        if (run == undefined) {
            run = new Object();
            run.pass = kvLib.kvPass;
            run.start = o;
            run.done = o;
            run.hi = [0];
            run.lo = [0];
            run.counts = [0];
            run.errors = new Array();
            b.kvRuns[o] = run;
        }
        b.kvRunLast = run;
    }
    var hi = run.hi;
    var done = run.start + hi.length - 1;
    if (end > done) {
        // A band without formulas changes only between passes: its run is read ahead by as
        // many rows as it holds, at most 2048, so that the windows after this one find theirs
        // summed already, at most doubling what a lone range reads. Unbounded, the doubling
        // had one window of a column of 100,000 rows read 50,000 of them in one call.
        if (b.kvNoFormulas) {
            var ahead = end - run.start;
            end += ahead < 2048 ? ahead : 2048;
            if (end > b.length) {
                end = b.length;
            }
        }
        var lo = run.lo;
        var counts = run.counts;
        var errors = run.errors;
        var cols = v.cols;
        var k = hi.length - 1;
        var s = hi[k], c = lo[k], n = counts[k], e = errors[k];
        if (e == undefined) {
            e = 0;
        }
        // the timeline and the error class as locals: a name the function does not hold
        // is looked up on the movie's timeline before the globals, once a cell
        var cells = kvTimeline;
        var errC = kvErrC;
        var r = done;
        var row, y, t, j;
        while (r < end) {
            row = b[r++];
            if (row != undefined) {
                // a loop that tests its end after the first column: most runs have one
                j = 0;
                do {
                    y = cells[row[j]];
                    if (typeof y == "number") {
                        // Neumaier's compensation: a window's total is a difference of two
                        // running sums, which must not carry the rounding of all rows before
                        t = s + y;
                        if ((s < 0 ? -s : s) >= (y < 0 ? -y : y)) {
                            c += (s - t) + y;
                        } else {
                            c += (y - t) + s;
                        }
                        s = t;
                        n++;
                    } else if (y instanceof errC) {
                        e++;
                    }
                } while (++j < cols);
            }
            // set by index: a push is a method call
            hi[++k] = s;
            lo[k] = c;
            counts[k] = n;
            // errors are rare: a row before the first one has none set, which compares
            // equal to another such row and unequal to a row after an error
            if (e != 0) {
                errors[k] = e;
            }
        }
        run.done = end;
    }
    return run;
};

// The end of the rows of a range that its band holds (the rest of its rows are empty), as
// kvBandRows counts them from the range's first row.
_global.kvRangeEnd = function (v) {
    var end = v.o + v.rows;
    return end < v.b.length ? end : (v.b.length > v.o ? v.b.length : v.o);
};

// The run of v's band that holds the rows of v up to end, made or extended as kvRunOf makes
// it; the run read last, when it holds them already, without a call.
_global.kvRunTo = function (v, end) {
    var b = v.b;
    var run = b.kvRunLast;
    if (run != undefined && run.pass === kvLib.kvPass && v.o >= run.start && end <= run.done) {
        return run;
    }
    return kvRunOf(v, end);
};

// The sum of the numbers of a range read through its band's run; the count of its numbers
// goes to kvLib.kvTotalCount. undefined when the range holds an error (the caller's walk finds
// the first) or no pass is counted. A sliding window reads the run its neighbour extended, so
// the common case makes no further call.
_global.kvRangeTotal = function (v) {
    var lib = kvLib;
    var pass = lib.kvPass;
    if (pass == undefined) {
        return undefined;
    }
    var b = v.b;
    var o = v.o;
    // kvRangeEnd
    var end = o + v.rows;
    var length = b.length;
    if (end > length) {
        end = length > o ? length : o;
    }
    var run = b.kvRunLast;
    if (run.pass !== pass || o < run.start || end > run.done) {
        run = kvRunOf(v, end);
    }
    var a = o - run.start;
    var z = end - run.start;
    var errors = run.errors;
    if (errors[z] != errors[a]) {
        return undefined;
    }
    var counts = run.counts;
    lib.kvTotalCount = counts[z] - counts[a];
    var hi = run.hi;
    var lo = run.lo;
    return (hi[z] - hi[a]) + (lo[z] - lo[a]);
};

// The count of the numbers of a range through its band's run (errors are not numbers);
// undefined without a pass.
_global.kvRangeCount = function (v) {
    var pass = kvLib.kvPass;
    if (pass == undefined) {
        return undefined;
    }
    var b = v.b;
    var end = kvRangeEnd(v);
    if (v.o == 0 && end == b.length && b.kvRunPass !== pass) {
        // A range over the whole band that no sum has read this pass (a count of whole
        // columns): its numbers counted alone, at a fraction of what a run costs, and kept on
        // the range for the pass.
        if (v.kvCountPass !== pass) {
            var cells = kvTimeline;
            var cols = v.cols;
            var n = 0;
            var r = 0;
            var row, j;
            while (r < end) {
                row = b[r++];
                if (row != undefined) {
                    // the end tested after the first column, as kvRunOf does
                    j = 0;
                    do {
                        if (typeof cells[row[j]] == "number") {
                            n++;
                        }
                    } while (++j < cols);
                }
            }
            v.kvCount = n;
            v.kvCountPass = pass;
        }
        return v.kvCount;
    }
    var run = kvRunTo(v, end);
    return run.counts[end - run.start] - run.counts[v.o - run.start];
};

// Indexes of SUMIF, COUNTIF and AVERAGEIF ranges, kept for one recalculation pass.

// The recalculation sets kvLib.kvPass to a new value before it runs the formulas. Within a pass
// no cell of a range changes once a formula has read the range (formulas run after the cells
// they read), so what a function learns of a range is kept on the range's view for the pass.
// A movie that never sets kvPass gets no caching.

// The lookup key of a value for equality criteria: numbers by their text of 15 digits (so
// 0.1+0.2 and 0.3 meet), text without regard to case, blanks and "" together. Criteria typed
// as text that reads as a number have an index of their own (kvEqualIndex with typed).
_global.kvKeyOf = function (v) {
    var t = typeof v;
    if (t == "number") {
        return "n" + v;
    }
    if (t == "boolean") {
        return v ? "b1" : "b0";
    }
    if (t == "string") {
        return v == "" ? "blank" : "s" + v.toUpperCase();
    }
    if (v === undefined || v === null) {
        return "blank";
    }
    return null;
};

// key -> {count, sum, numbers, error} of the sum cells where the range cells hold the key.
// With typed, the index of criteria typed as text that read as a number ("7"): under "t" + the
// number, the numbers and the texts that read as one; kept apart, as few criteria need it.
_global.kvEqualIndex = function (range, sums, typed) {
    if (typed) {
        if (range.kvTypedPass === kvLib.kvPass && range.kvTypedSums === sums) {
            return range.kvTypedIndex;
        }
    } else if (range.kvIndexPass === kvLib.kvPass && range.kvIndexSums === sums) {
        return range.kvIndex;
    }
    var index = new Object();
    // where each key first comes, as an exact lookup finds it (kvFind): kept for a lookup over
    // the same column this pass
    var first = new Object();
    // kept for the pass: a lookup in the same column reads its keys from there
    var keys = kvKeptFlat(range);
    var values = sums === range ? keys : kvKeptFlat(sums);
    // kvKeyOf and kvIndexAdd written out: a call per cell costs more than the rest
    var errC = kvErrC;
    var count = keys.length;
    for (var i = 0; i < count; i++) {
        var v = keys[i];
        var t = typeof v;
        var k;
        if (typed) {
            if (t == "number") {
                k = "t" + v;
            } else if (t == "string") {
                var n = kvParse(v);
                if (isNaN(n)) {
                    continue;
                }
                k = "t" + n;
            } else {
                continue;
            }
        } else if (t == "number") {
            k = "n" + v;
        } else if (t == "boolean") {
            k = v ? "b1" : "b0";
        } else if (t == "string") {
            if (v == "") {
                k = "blank";
                // empty text (kvFind's key "s") is found by a lookup of empty text, an empty
                // cell by none
                if (first.s == undefined) {
                    first.s = i;
                }
            } else {
                k = "s" + v.toUpperCase();
            }
        } else if (v === undefined || v === null) {
            k = "blank";
        } else {
            continue;
        }
        var x = values[i];
        var e = index[k];
        if (e == undefined) {
            e = new Object();
            e.count = 0;
            e.sum = 0;
            e.numbers = 0;
            index[k] = e;
            if (k != "blank") {
                first[k] = i;
            }
        }
        e.count++;
        if (typeof x == "number") {
            e.sum += x;
            e.numbers++;
        } else if (e.error == undefined && x instanceof errC) {
            e.error = x;
        }
    }
    if (typed) {
        range.kvTypedIndex = index;
        range.kvTypedSums = sums;
        range.kvTypedPass = kvLib.kvPass;
    } else {
        range.kvIndex = index;
        range.kvIndexFirst = first;
        range.kvIndexSums = sums;
        range.kvIndexPass = kvLib.kvPass;
    }
    return index;
};

_global.kvIndexAdd = function (index, k, x) {
    var e = index[k];
    if (e == undefined) {
        e = new Object();
        e.count = 0;
        e.sum = 0;
        e.numbers = 0;
        index[k] = e;
    }
    e.count++;
    if (typeof x == "number") {
        e.sum += x;
        e.numbers++;
    } else if (x instanceof kvErrC && e.error == undefined) {
        e.error = x;
    }
};

// What SUMIF, COUNTIF and AVERAGEIF need of an equality or numeric comparison criterion on a
// range in this pass: {count, sum, numbers, error}; null where no index applies (no pass,
// another kind of criterion, ranges of different sizes).
_global.kvIndexedIf = function (range, crit, sums) {
    if (kvLib.kvPass == undefined || !(range instanceof kvRangeC)) {
        return null;
    }
    if (sums === undefined) {
        sums = range;
    }
    if (!(sums instanceof kvRangeC) || sums.rows != range.rows || sums.cols != range.cols) {
        return null;
    }
    var hit;
    if (typeof crit == "number") {
        // a number, as a criterion filled down from a column of keys nearly always is: the
        // index entry of its key at once, without reading the criterion
        var index = range.kvIndexPass === kvLib.kvPass && range.kvIndexSums === sums ? range.kvIndex : kvEqualIndex(range, sums, false);
        hit = index["n" + crit];
        if (hit == undefined) {
            hit = new Object();
            hit.count = 0;
            hit.sum = 0;
            hit.numbers = 0;
        }
        return hit;
    }
    var cr = kvCrit(crit);
    if (cr.value instanceof kvErrC) {
        return null;
    }
    if (cr.op >= 2 && typeof cr.value == "number") {
        var sorted = kvSortedIndex(range, sums);
        return sorted == null ? null : kvSortedHit(sorted, cr.op, cr.value);
    }
    if (cr.op != 0 || cr.wild || (cr.written && cr.value === "")) {
        // "=" alone tells empty cells from empty text, which the index holds together
        return null;
    }
    var typed = typeof cr.value == "number" && cr.typed;
    var k = typed ? "t" + cr.value : kvKeyOf(cr.value);
    if (k == null) {
        return null;
    }
    hit = kvEqualIndex(range, sums, typed)[k];
    if (hit == undefined) {
        hit = new Object();
        hit.count = 0;
        hit.sum = 0;
        hit.numbers = 0;
    }
    return hit;
};

// key -> entry for numeric comparison criteria: the range's numbers sorted, each with the sum
// cell beside it, and running totals; null when a sum cell beside a number holds an error
// (which error comes first is then a matter of position, left to the plain walk).
_global.kvSortedIndex = function (range, sums) {
    if (range.kvSortedPass === kvLib.kvPass && range.kvSortedSums === sums) {
        return range.kvSorted;
    }
    var keys = kvFlat(range);
    var values = sums === range ? keys : kvFlat(sums);
    var pairs = new Array();
    var sorted = null;
    var clean = true;
    for (var i = 0; i < keys.length; i++) {
        if (typeof keys[i] == "number") {
            if (values[i] instanceof kvErrC) {
                clean = false;
                break;
            }
            pairs.push([keys[i], values[i]]);
        }
    }
    if (clean) {
        pairs = kvMergeSort(pairs);
        sorted = new Object();
        sorted.keys = new Array();
        sorted.sums = [0];
        sorted.numbers = [0];
        for (var k = 0; k < pairs.length; k++) {
            var x = pairs[k][1];
            var isNumber = typeof x == "number";
            sorted.keys.push(pairs[k][0]);
            sorted.sums.push(sorted.sums[k] + (isNumber ? x : 0));
            sorted.numbers.push(sorted.numbers[k] + (isNumber ? 1 : 0));
        }
    }
    range.kvSorted = sorted;
    range.kvSortedSums = sums;
    range.kvSortedPass = kvLib.kvPass;
    return sorted;
};

// Pairs sorted by their first element, stably, in n log n steps without a comparison
// function (the player's sort with one may take a step per pair of elements).
_global.kvMergeSort = function (items) {
    var n = items.length;
    var from = items;
    var width = 1;
    while (width < n) {
        var to = new Array();
        for (var lo = 0; lo < n; lo += 2 * width) {
            var mid = lo + width < n ? lo + width : n;
            var hi = lo + 2 * width < n ? lo + 2 * width : n;
            var i = lo;
            var j = mid;
            while (i < mid && j < hi) {
                if (from[j][0] < from[i][0]) {
                    to.push(from[j]);
                    j++;
                } else {
                    to.push(from[i]);
                    i++;
                }
            }
            while (i < mid) {
                to.push(from[i]);
                i++;
            }
            while (j < hi) {
                to.push(from[j]);
                j++;
            }
        }
        from = to;
        width *= 2;
    }
    return from;
};

// How many sorted keys come before v: below it (strictly) or, with orEqual, not above it;
// numbers equal as the spreadsheet compares them count as equal.
_global.kvCountBelow = function (keys, v, orEqual) {
    var lo = 0;
    var hi = keys.length;
    while (lo < hi) {
        var mid = Math.floor((lo + hi) / 2);
        var x = keys[mid];
        var d = x - v;
        var below = d == 0 || Math.abs(d) < 3.6e-15 * Math.max(Math.abs(x), Math.abs(v)) ? orEqual : d < 0;
        if (below) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return lo;
};

// {count, sum, numbers} of the keys that meet a numeric comparison (op 2 "<", 3 "<=", 4 ">",
// 5 ">=") with the sorted index.
_global.kvSortedHit = function (sorted, op, v) {
    var n = sorted.keys.length;
    var from = 0;
    var to = n;
    if (op == 2 || op == 3) {
        to = kvCountBelow(sorted.keys, v, op == 3);
    } else {
        from = kvCountBelow(sorted.keys, v, op == 4);
    }
    var hit = new Object();
    hit.count = to - from;
    hit.sum = sorted.sums[to] - sorted.sums[from];
    hit.numbers = sorted.numbers[to] - sorted.numbers[from];
    return hit;
};

// --- The *IFS functions: the cells of a range by value, for equality criteria.

// The flat indexes of a range's cells by key, in order, kept for the pass: text by
// "s" + upper case, logical values "b0"/"b1", blanks "blank", and numbers (text that reads as a
// number too) by "f" + the nearest whole number, so that the numbers equal to a criterion in
// the criteria's sense (to about 15 digits) lie in its bucket, or in a next one when it is
// near half-way.
_global.kvRowsByKey = function (range) {
    if (range.kvRowsPass === kvLib.kvPass) {
        return range.kvRowsIndex;
    }
    var index = new Object();
    var values = kvKeptFlat(range);
    for (var i = 0; i < values.length; i++) {
        var x = values[i];
        if (typeof x == "number") {
            kvRowsAdd(index, "f" + Math.round(x), i);
            continue;
        }
        var k = kvKeyOf(x);
        if (k != null) {
            kvRowsAdd(index, k, i);
        }
        if (typeof x == "string") {
            var n = kvParse(x);
            if (!isNaN(n)) {
                kvRowsAdd(index, "f" + Math.round(n), i);
            }
        }
    }
    range.kvRowsIndex = index;
    range.kvRowsPass = kvLib.kvPass;
    return index;
};

_global.kvRowsAdd = function (index, k, i) {
    var list = index[k];
    if (list == undefined) {
        list = new Array();
        index[k] = list;
    }
    list.push(i);
};

// The flat indexes, in order, of the only cells that can meet the equality criteria of an
// *IFS call (its (range, criterion) pairs from args[first] on, their criteria crits): those
// of the criterion whose index holds the fewest; null when none applies (no pass, no plain
// equality criterion, numbers too large for the buckets).
_global.kvIfsCandidates = function (args, first, crits) {
    if (kvLib.kvPass == undefined) {
        return null;
    }
    var best = null;
    for (var c = 0; c < crits.length; c++) {
        var cr = crits[c];
        var range = args[first + 2 * c];
        if (cr.op != 0 || cr.wild || typeof range != "object" || range == null) {
            continue;
        }
        var v = cr.value;
        var found;
        if (typeof v == "number") {
            if (!(Math.abs(v) < 1e14)) {
                continue;
            }
            found = kvRowsNear(kvRowsByKey(range), v);
        } else {
            var k = kvKeyOf(v);
            if (k == null) {
                continue;
            }
            found = kvRowsByKey(range)[k];
            if (found == undefined) {
                found = new Array();
            }
        }
        if (best == null || found.length < best.length) {
            best = found;
        }
    }
    return best;
};

// The cells of an index whose numbers may equal v: its bucket, with the next ones, in order,
// when v is near half-way between whole numbers.
_global.kvRowsNear = function (index, v) {
    var f = Math.round(v);
    var found;
    if (Math.abs(v - f) + (Math.abs(v) + 1) * 4e-15 < 0.5) {
        found = index["f" + f];
        return found == undefined ? new Array() : found;
    }
    found = new Array();
    for (var d = -1; d <= 1; d++) {
        var list = index["f" + (f + d)];
        for (var j = 0; list != undefined && j < list.length; j++) {
            found.push([list[j]]);
        }
    }
    found = kvMergeSort(found);
    for (var m = 0; m < found.length; m++) {
        found[m] = found[m][0];
    }
    return found;
};

// FREQUENCY(data, bins): how many numbers of data fall at or below each bin and above the
// next lower one, in the bins' order, then how many lie above every bin; a column one longer
// than the bins. Text, logical values and blanks are skipped.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.FREQUENCY = function (data, bins) {
    if (data instanceof kvErrC) {
        return data;
    }
    if (bins instanceof kvErrC) {
        return bins;
    }
    var values = kvFlat(data);
    var edges = new Array();
    var all = kvFlat(bins);
    for (var b = 0; b < all.length; b++) {
        if (all[b] instanceof kvErrC) {
            return all[b];
        }
        if (typeof all[b] == "number") {
            edges.push(all[b]);
        }
    }
    var counts = new Array();
    for (var c = 0; c <= edges.length; c++) {
        counts.push(0);
    }
    for (var i = 0; i < values.length; i++) {
        var x = values[i];
        if (x instanceof kvErrC) {
            return x;
        }
        if (typeof x != "number") {
            continue;
        }
        // the lowest bin at or above x (the first of equal ones), else the one past them all
        var at = edges.length;
        for (var e = 0; e < edges.length; e++) {
            if (x <= edges[e] && (at == edges.length || edges[e] < edges[at])) {
                at = e;
            }
        }
        counts[at]++;
    }
    return new kvArrC(counts.length, 1, counts);
};

// kvLift(name, bits, args...): a function or operator called element by element over the range and array arguments that bits names.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
// The compiler calls a function through this only where an array is taken and an argument that
// the function takes as one value may be a range or an array; bit i of bits marks argument i as
// such (docs/formula-calling-convention.md, "Arrays"). Others pass whole. A single row or column
// stretches across the other arguments, as a single value does; past the end of a smaller
// argument the element is #N/A. The result is an array of the largest rows and columns; with no
// range or array among the arguments at run time it is the one call's value.
kvLib.kvLift = function (name, bits) {
    var f = kvLib[name];
    var n = arguments.length - 2;
    var args = new Array();
    var kind = new Array();
    var height = new Array();
    var width = new Array();
    var rows = 0;
    var cols = 0;
    for (var i = 0; i < n; i++) {
        var v = arguments[i + 2];
        args.push(v);
        // 0 a value (or an argument passed whole), 1 a range (rows of cell names), 2 an array
        var k = (bits >> i & 1) == 0 ? 0 : (v instanceof Array ? 1 : (v instanceof kvArrC ? 2 : 0));
        kind.push(k);
        height.push(k == 0 ? 1 : kvRows(v));
        width.push(k == 0 ? 1 : kvCols(v));
        if (k != 0) {
            if (height[i] > rows) {
                rows = height[i];
            }
            if (width[i] > cols) {
                cols = width[i];
            }
        }
    }
    if (rows == 0) {
        return f.apply(kvLib, args);
    }
    var na = kvError("#N/A");
    var call = new Array(n);
    var values = new Array();
    for (var r = 0; r < rows; r++) {
        for (var c = 0; c < cols; c++) {
            for (var j = 0; j < n; j++) {
                var g = args[j];
                if (kind[j] == 0) {
                    call[j] = g;
                    continue;
                }
                var rr = height[j] == 1 ? 0 : r;
                var cc = width[j] == 1 ? 0 : c;
                if (rr >= height[j] || cc >= width[j]) {
                    call[j] = na;
                } else if (kind[j] == 1) {
                    call[j] = kvTimeline[g[rr][cc]];
                } else {
                    call[j] = g.values[rr * g.cols + cc];
                }
            }
            values.push(f.apply(kvLib, call));
        }
    }
    return new kvArrC(rows, cols, values);
};

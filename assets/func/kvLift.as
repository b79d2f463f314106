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
        // 0 a value (or an argument passed whole), 1 a range (a view on rows of cell names), 2 an array
        var k = (bits >> i & 1) == 0 ? 0 : (v instanceof kvRangeC ? 1 : (v instanceof kvArrC ? 2 : 0));
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
    if (n == 2) {
        var op = kvLiftOps[name];
        if (op != undefined) {
            return kvLift2(f, op, args, kind, height, width, rows, cols, na);
        }
    }
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
                    var row = g.b[g.o + rr];
                    call[j] = row == undefined ? undefined : kvTimeline[row[cc]];
                } else {
                    call[j] = g.values[rr * g.cols + cc];
                }
            }
            values.push(f.apply(kvLib, call));
        }
    }
    return new kvArrC(rows, cols, values);
};
// The operators by their library names: 0..3 + - * /, 4..9 > < = <= >= <>.
_global.kvLiftOps = {kvAdd: 0, kvSub: 1, kvMul: 2, kvDiv: 3, kvGT: 4, kvLT: 5, kvEQ: 6, kvLE: 7, kvGE: 8, kvNE: 9};
// An operator over two arguments, element by element. The operators are nearly all of the
// work of array expressions such as SUMPRODUCT((A1:A10000="East")*B1:B10000), so the common
// elements are worked out here without a call: numbers (and, for arithmetic, logical values
// and blanks) by the spreadsheet's rules; anything else goes to the operator itself.
_global.kvLift2 = function (f, op, args, kind, height, width, rows, cols, na) {
    var a = kind[0] == 0 ? [args[0]] : kvFlat(args[0]);
    var b = kind[1] == 0 ? [args[1]] : kvFlat(args[1]);
    var wa = width[0];
    var wb = width[1];
    var values = new Array();
    for (var r = 0; r < rows; r++) {
        var ra = height[0] == 1 ? 0 : r;
        var rb = height[1] == 1 ? 0 : r;
        for (var c = 0; c < cols; c++) {
            var ca = wa == 1 ? 0 : c;
            var cb = wb == 1 ? 0 : c;
            if (ra >= height[0] || ca >= wa || rb >= height[1] || cb >= wb) {
                values.push(na);
                continue;
            }
            var x = a[ra * wa + ca];
            var y = b[rb * wb + cb];
            var tx = typeof x;
            var ty = typeof y;
            if (op < 4) {
                if (tx == "boolean") {
                    x = x ? 1 : 0;
                } else if (tx == "undefined") {
                    x = 0;
                } else if (tx != "number") {
                    values.push(f(x, y));
                    continue;
                }
                if (ty == "boolean") {
                    y = y ? 1 : 0;
                } else if (ty == "undefined") {
                    y = 0;
                } else if (ty != "number") {
                    values.push(f(x, y));
                    continue;
                }
                var v;
                if (op == 0) {
                    v = x + y;
                } else if (op == 1) {
                    v = x - y;
                } else if (op == 2) {
                    v = x * y;
                } else if (y == 0) {
                    values.push(kvError("#DIV/0!"));
                    continue;
                } else {
                    v = x / y;
                }
                values.push(isFinite(v) ? v : kvError("#NUM!"));
            } else if (tx == "number" && ty == "number") {
                var d = x - y;
                var m = Math.abs(x) > Math.abs(y) ? Math.abs(x) : Math.abs(y);
                var cmp = x == y || Math.abs(d) < m * 3.6e-15 ? 0 : (d < 0 ? -1 : 1);
                if (op == 4) {
                    values.push(cmp > 0);
                } else if (op == 5) {
                    values.push(cmp < 0);
                } else if (op == 6) {
                    values.push(cmp == 0);
                } else if (op == 7) {
                    values.push(cmp <= 0);
                } else if (op == 8) {
                    values.push(cmp >= 0);
                } else {
                    values.push(cmp != 0);
                }
            } else {
                values.push(f(x, y));
            }
        }
    }
    return new kvArrC(rows, cols, values);
};

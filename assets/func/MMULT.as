// MMULT(array1, array2): the matrix product; #VALUE! when the sizes do not fit or a cell holds
// anything but a number.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.MMULT = function (a, b) {
    if (a instanceof kvErrC) {
        return a;
    }
    if (b instanceof kvErrC) {
        return b;
    }
    var n = kvRows(a);
    var m = kvCols(a);
    var p = kvCols(b);
    if (kvRows(b) != m) {
        return kvError("#VALUE!");
    }
    var values = new Array();
    for (var i = 0; i < n; i++) {
        for (var j = 0; j < p; j++) {
            var sum = 0;
            for (var k = 0; k < m; k++) {
                var x = kvAt(a, i, k);
                var y = kvAt(b, k, j);
                if (x instanceof kvErrC) {
                    return x;
                }
                if (y instanceof kvErrC) {
                    return y;
                }
                if (typeof x != "number" || typeof y != "number") {
                    return kvError("#VALUE!");
                }
                sum += x * y;
            }
            values.push(sum);
        }
    }
    return new kvArrC(n, p, values);
};

// Arrays of one size multiplied element by element; text and blanks count as 0.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.SUMPRODUCT = function () {
    var lists = new Array();
    for (var i = 0; i < arguments.length; i++) {
        var g = arguments[i];
        if (i > 0 && (kvRows(g) != kvRows(arguments[0]) || kvCols(g) != kvCols(arguments[0]))) {
            return kvError("#VALUE!");
        }
        lists.push(kvFlat(g));
    }
    var s = 0;
    var n = lists.length > 0 ? lists[0].length : 0;
    for (var k = 0; k < n; k++) {
        var p = 1;
        for (var j = 0; j < lists.length; j++) {
            var x = lists[j][k];
            if (x instanceof kvErrC) {
                return x;
            }
            p *= typeof x == "number" ? x : 0;
        }
        s += p;
    }
    return kvFin(s);
};

// Joins its arguments, ranges cell by cell.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.CONCAT = function () {
    var out = "";
    for (var i = 0; i < arguments.length; i++) {
        var values = kvFlat(arguments[i]);
        for (var k = 0; k < values.length; k++) {
            var s = kvS(values[k]);
            if (typeof s != "string") {
                return s;
            }
            out += s;
        }
    }
    return out;
};

// kvArray(rows, columns, values...): an array constant such as {1,2;3,4}.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.kvArray = function () {
    var values = new Array();
    for (var i = 2; i < arguments.length; i++) {
        values.push(arguments[i]);
    }
    return new kvArrC(arguments[0], arguments[1], values);
};

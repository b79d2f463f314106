// COUNTBLANK(range): the number of blank cells and empty texts.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.COUNTBLANK = function (g) {
    var values = kvFlat(g);
    var n = 0;
    for (var k = 0; k < values.length; k++) {
        if (values[k] === undefined || values[k] === null || values[k] === "") {
            n++;
        }
    }
    return n;
};

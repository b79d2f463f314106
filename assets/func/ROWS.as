// ROWS(range): the number of rows.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ROWS = function (g) {
    if (g instanceof kvErrC) {
        return g;
    }
    return kvRows(g);
};

// COLUMNS(range): the number of columns.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.COLUMNS = function (g) {
    if (g instanceof kvErrC) {
        return g;
    }
    return kvCols(g);
};

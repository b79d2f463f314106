if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.RANK_EQ = function (x, g, order) {
    var r = kvRankOf(x, g, order);
    return r instanceof kvErrC ? r : r.first;
};

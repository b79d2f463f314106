if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.QUARTILE = function (g, q) {
    return kvQuartile(g, q);
};

if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ISNONTEXT = function (v) {
    return typeof kvV(v) != "string";
};

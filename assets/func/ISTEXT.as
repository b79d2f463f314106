if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ISTEXT = function (v) {
    return typeof kvV(v) == "string";
};

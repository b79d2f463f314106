if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.MODE_SNGL = function () {
    return kvMode(arguments);
};

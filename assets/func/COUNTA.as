if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.COUNTA = function () {
    return kvCount(arguments, true);
};

// FALSE(): the logical value FALSE.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.FALSE = function () {
    return false;
};

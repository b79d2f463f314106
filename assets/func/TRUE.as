// TRUE(): the logical value TRUE.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.TRUE = function () {
    return true;
};

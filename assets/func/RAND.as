if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.RAND = function () {
    return Math.random();
};

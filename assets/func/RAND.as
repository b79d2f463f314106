// RAND(): a random number from 0 up to 1.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.RAND = function () {
    return Math.random();
};

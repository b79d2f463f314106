// PI(): the number pi.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.PI = function () {
    return Math.PI;
};

// Sample standard deviation.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.STDEV_S = function () {
    return kvSpread(arguments, false, false, true);
};

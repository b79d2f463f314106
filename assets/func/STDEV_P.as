// Population standard deviation.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.STDEV_P = function () {
    return kvSpread(arguments, false, true, true);
};

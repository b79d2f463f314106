// Population standard deviation.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.STDEVP = function () {
    return kvSpread(arguments, false, true, true);
};

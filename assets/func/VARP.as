// Population variance.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.VARP = function () {
    return kvSpread(arguments, false, true, false);
};

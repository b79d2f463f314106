// Population variance.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.VAR_P = function () {
    return kvSpread(arguments, false, true, false);
};

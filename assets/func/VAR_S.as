// Sample variance.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.VAR_S = function () {
    return kvSpread(arguments, false, false, false);
};

if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.VAR_S = function () {
    return kvVar(kvNums(arguments, 0, false), false);
};

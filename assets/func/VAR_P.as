if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.VAR_P = function () {
    return kvVar(kvNums(arguments, 0, false), true);
};

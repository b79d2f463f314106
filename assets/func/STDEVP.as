if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.STDEVP = function () {
    var v = kvVar(kvNums(arguments, 0, false), true);
    return typeof v == "number" ? Math.sqrt(v) : v;
};

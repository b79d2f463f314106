if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.STDEV_P = function () {
    var v = kvVar(kvNums(arguments, 0, false), true);
    return typeof v == "number" ? Math.sqrt(v) : v;
};

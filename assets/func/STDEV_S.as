if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.STDEV_S = function () {
    var v = kvVar(kvNums(arguments, 0, false), false);
    return typeof v == "number" ? Math.sqrt(v) : v;
};

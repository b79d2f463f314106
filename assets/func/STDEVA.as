if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.STDEVA = function () {
    var v = kvVar(kvNums(arguments, 0, true), false);
    return typeof v == "number" ? Math.sqrt(v) : v;
};

if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ACOSH = function (v) {
    var x = kvN(v);
    if (typeof x != "number") {
        return x;
    }
    return x < 1 ? kvError("#NUM!") : Math.log(x + Math.sqrt(x * x - 1));
};

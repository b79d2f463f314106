if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.LARGE = function (g, k) {
    var xs = kvNums([g], 0, false);
    if (xs instanceof kvErrC) {
        return xs;
    }
    k = kvN(k);
    if (typeof k != "number") {
        return k;
    }
    k = Math.ceil(k);
    if (k < 1 || k > xs.length) {
        return kvError("#NUM!");
    }
    return kvSorted(xs)[xs.length - k];
};

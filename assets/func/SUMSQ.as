// SUMSQ(numbers...): the sum of the squares.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.SUMSQ = function () {
    var xs = kvNums(arguments, 0, false);
    if (xs instanceof kvErrC) {
        return xs;
    }
    var s = 0;
    for (var i = 0; i < xs.length; i++) {
        s += xs[i] * xs[i];
    }
    return kvFin(s);
};

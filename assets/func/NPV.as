// NPV(rate, values...): the first value one period away.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.NPV = function (rate) {
    var a = kvNumArgs([rate], [null]);
    if (a instanceof kvErrC) {
        return a;
    }
    rate = a[0];
    var xs = kvNums(arguments, 1, false);
    if (xs instanceof kvErrC) {
        return xs;
    }
    if (rate == -1) {
        return kvError("#DIV/0!");
    }
    var s = 0;
    for (var i = 0; i < xs.length; i++) {
        s += xs[i] / Math.pow(1 + rate, i + 1);
    }
    return kvFin(s);
};

// GEOMEAN(numbers...): the geometric mean; #NUM! for a number not above 0.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.GEOMEAN = function () {
    var xs = kvNums(arguments, 0, false);
    if (xs instanceof kvErrC) {
        return xs;
    }
    if (xs.length == 0) {
        return kvError("#NUM!");
    }
    var s = 0;
    for (var i = 0; i < xs.length; i++) {
        if (xs[i] <= 0) {
            return kvError("#NUM!");
        }
        s += Math.log(xs[i]);
    }
    return Math.exp(s / xs.length);
};

// GCD(numbers...): the greatest common divisor of the whole parts.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.GCD = function () {
    var xs = kvNums(arguments, 0, false);
    if (xs instanceof kvErrC) {
        return xs;
    }
    var g = 0;
    for (var i = 0; i < xs.length; i++) {
        var x = Math.floor(xs[i]);
        if (x < 0) {
            return kvError("#NUM!");
        }
        var y = g;
        while (x != 0) {
            var t = y % x;
            y = x;
            x = t;
        }
        g = y;
    }
    return g;
};

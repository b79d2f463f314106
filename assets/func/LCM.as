// LCM(numbers...): the least common multiple of the whole parts.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.LCM = function () {
    var xs = kvNums(arguments, 0, false);
    if (xs instanceof kvErrC) {
        return xs;
    }
    var l = 1;
    for (var i = 0; i < xs.length; i++) {
        var x = Math.floor(xs[i]);
        if (x < 0) {
            return kvError("#NUM!");
        }
        if (x == 0) {
            return 0;
        }
        var a = l;
        var b = x;
        while (b != 0) {
            var t = a % b;
            a = b;
            b = t;
        }
        l = l / a * x;
    }
    return kvFin(l);
};

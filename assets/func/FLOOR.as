// Down to a multiple of significance; both negative rounds toward zero: FLOOR(-2.5, 1) is -3.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.FLOOR = function () {
    var a = kvNumArgs(arguments, [null, null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var x = a[0];
    var s = a[1];
    if (x == 0) {
        return 0;
    }
    if (s == 0) {
        return kvError("#DIV/0!");
    }
    if (x > 0 && s < 0) {
        return kvError("#NUM!");
    }
    if (s < 0) {
        return -Math.floor(kvR15(-x / -s)) * -s;
    }
    return Math.floor(kvR15(x / s)) * s;
};

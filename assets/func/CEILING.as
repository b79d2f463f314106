// Up to a multiple of significance; both negative rounds away from zero.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.CEILING = function () {
    var a = kvNumArgs(arguments, [null, null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var x = a[0];
    var s = a[1];
    if (x == 0 || s == 0) {
        return 0;
    }
    if (x > 0 && s < 0) {
        return kvError("#NUM!");
    }
    if (s < 0) {
        return -Math.ceil(kvR15(-x / -s)) * -s;
    }
    return Math.ceil(kvR15(x / s)) * s;
};

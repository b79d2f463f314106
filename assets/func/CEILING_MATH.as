// CEILING.MATH(x, [significance], [mode]): a non-zero mode rounds negatives away from zero.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.CEILING_MATH = function () {
    var a = kvNumArgs(arguments, [null, 1, 0]);
    if (a instanceof kvErrC) {
        return a;
    }
    var x = a[0];
    var s = Math.abs(a[1]);
    if (s == 0 || x == 0) {
        return 0;
    }
    if (x < 0 && a[2] != 0) {
        return -Math.ceil(kvR15(-x / s)) * s;
    }
    return Math.ceil(kvR15(x / s)) * s;
};

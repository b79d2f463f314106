// FLOOR.MATH(x, [significance], [mode]): a non-zero mode rounds negatives toward zero.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.FLOOR_MATH = function () {
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
        return -Math.floor(kvR15(-x / s)) * s;
    }
    return Math.floor(kvR15(x / s)) * s;
};

// ATAN2(x, y): the angle of the point (x, y).
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ATAN2 = function () {
    var a = kvNumArgs(arguments, [null, null]);
    if (a instanceof kvErrC) {
        return a;
    }
    if (a[0] == 0 && a[1] == 0) {
        return kvError("#DIV/0!");
    }
    return Math.atan2(a[1], a[0]);
};

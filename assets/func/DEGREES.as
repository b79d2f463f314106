// DEGREES(angle): radians to degrees.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.DEGREES = function (v) {
    var a = kvNumArgs([v], [null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var x = a[0];
    return x * 180 / Math.PI;
};

// ATAN(number): the arctangent in radians.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ATAN = function (v) {
    var a = kvNumArgs([v], [null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var x = a[0];
    return Math.atan(x);
};

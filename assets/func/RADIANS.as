// RADIANS(angle): degrees to radians.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.RADIANS = function (v) {
    var a = kvNumArgs([v], [null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var x = a[0];
    return x * Math.PI / 180;
};

// COS(angle): the cosine of an angle in radians.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.COS = function (v) {
    var a = kvNumArgs([v], [null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var x = a[0];
    return Math.cos(x);
};

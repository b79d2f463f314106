// ASINH(number): the inverse hyperbolic sine.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ASINH = function (v) {
    var a = kvNumArgs([v], [null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var x = a[0];
    var a = Math.abs(x);
    var r = Math.log(a + Math.sqrt(a * a + 1));
    return x < 0 ? -r : r;
};

// TANH(number): the hyperbolic tangent.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.TANH = function (v) {
    var a = kvNumArgs([v], [null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var x = a[0];
    if (Math.abs(x) > 20) {
        return x > 0 ? 1 : -1;
    }
    var e = Math.exp(2 * x);
    return (e - 1) / (e + 1);
};

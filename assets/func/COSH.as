// COSH(number): the hyperbolic cosine.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.COSH = function (v) {
    var a = kvNumArgs([v], [null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var x = a[0];
    return kvFin((Math.exp(x) + Math.exp(-x)) / 2);
};

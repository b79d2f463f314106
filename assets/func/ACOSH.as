// ACOSH(number): the inverse hyperbolic cosine; #NUM! below 1.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ACOSH = function (v) {
    var a = kvNumArgs([v], [null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var x = a[0];
    return x < 1 ? kvError("#NUM!") : Math.log(x + Math.sqrt(x * x - 1));
};

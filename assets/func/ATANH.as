// ATANH(number): the inverse hyperbolic tangent; #NUM! outside -1..1 (ends excluded).
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ATANH = function (v) {
    var a = kvNumArgs([v], [null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var x = a[0];
    return x <= -1 || x >= 1 ? kvError("#NUM!") : Math.log((1 + x) / (1 - x)) / 2;
};

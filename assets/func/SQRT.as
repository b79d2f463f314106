// SQRT(number): the square root; #NUM! below 0.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.SQRT = function (v) {
    var a = kvNumArgs([v], [null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var x = a[0];
    return x < 0 ? kvError("#NUM!") : Math.sqrt(x);
};

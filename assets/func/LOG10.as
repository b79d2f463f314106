// LOG10(number): the logarithm to base 10.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.LOG10 = function (v) {
    var a = kvNumArgs([v], [null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var x = a[0];
    return x <= 0 ? kvError("#NUM!") : kvLog(x, 10);
};

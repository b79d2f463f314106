// INT(number): rounded down to a whole number.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.INT = function (v) {
    var a = kvNumArgs([v], [null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var x = a[0];
    return Math.floor(x);
};

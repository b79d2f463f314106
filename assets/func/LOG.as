// LOG(number, [base]): the logarithm to the base (10 when left out).
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.LOG = function () {
    var a = kvNumArgs(arguments, [null, 10]);
    if (a instanceof kvErrC) {
        return a;
    }
    if (a[0] <= 0 || a[1] <= 0) {
        return kvError("#NUM!");
    }
    if (a[1] == 1) {
        return kvError("#DIV/0!");
    }
    return kvLog(a[0], a[1]);
};

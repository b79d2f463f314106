// QUOTIENT(numerator, denominator): the whole part of the quotient.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.QUOTIENT = function () {
    var a = kvNumArgs(arguments, [null, null]);
    if (a instanceof kvErrC) {
        return a;
    }
    if (a[1] == 0) {
        return kvError("#DIV/0!");
    }
    return kvTrunc(a[0] / a[1]);
};

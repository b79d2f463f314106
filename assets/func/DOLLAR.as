// DOLLAR(number, [decimals]): currency text, negatives in brackets.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.DOLLAR = function () {
    var a = kvNumArgs(arguments, [null, 2]);
    if (a instanceof kvErrC) {
        return a;
    }
    var d = kvTrunc(a[1]);
    if (d > 127) {
        return kvError("#VALUE!");
    }
    var s = kvFixedText(Math.abs(a[0]), d, true);
    var neg = a[0] < 0 && kvRound(a[0], d, 0) != 0;
    return neg ? "($" + s + ")" : "$" + s;
};

// SYD(cost, salvage, life, period): sum-of-years' digits.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.SYD = function () {
    var a = kvNumArgs(arguments, [null, null, null, null]);
    if (a instanceof kvErrC) {
        return a;
    }
    if (a[2] <= 0 || a[3] <= 0 || a[3] > a[2] || a[1] < 0) {
        return kvError("#NUM!");
    }
    return (a[0] - a[1]) * (a[2] - a[3] + 1) * 2 / (a[2] * (a[2] + 1));
};

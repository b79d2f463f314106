// SLN(cost, salvage, life): straight-line depreciation for one period.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.SLN = function () {
    var a = kvNumArgs(arguments, [null, null, null]);
    if (a instanceof kvErrC) {
        return a;
    }
    if (a[2] == 0) {
        return kvError("#DIV/0!");
    }
    return (a[0] - a[1]) / a[2];
};

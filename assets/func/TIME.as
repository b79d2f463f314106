// TIME(hour, minute, second): a fraction of a day, whole days dropped.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.TIME = function () {
    var a = kvNumArgs(arguments, [null, null, null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var secs = kvTrunc(a[0]) * 3600 + kvTrunc(a[1]) * 60 + kvTrunc(a[2]);
    if (secs < 0) {
        return kvError("#NUM!");
    }
    return (secs % 86400) / 86400;
};

// DATE(year, month, day): years 0..1899 count from 1900; months and days may overflow.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.DATE = function () {
    var a = kvNumArgs(arguments, [null, null, null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var y = kvTrunc(a[0]);
    if (y < 0 || y >= 10000) {
        return kvError("#NUM!");
    }
    if (y < 1900) {
        y += 1900;
    }
    var s = kvSerial(y, kvTrunc(a[1]), kvTrunc(a[2]));
    if (s < 0 || s >= 2958466) {
        return kvError("#NUM!");
    }
    return s;
};

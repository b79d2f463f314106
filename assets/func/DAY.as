// DAY(date): the day of the month.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.DAY = function (v) {
    var x = kvDateArg(v);
    return typeof x == "number" ? kvYMD(x)[2] : x;
};

// MONTH(date): the month, 1..12.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.MONTH = function (v) {
    var x = kvDateArg(v);
    return typeof x == "number" ? kvYMD(x)[1] : x;
};

// YEAR(date): the year.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.YEAR = function (v) {
    var x = kvDateArg(v);
    return typeof x == "number" ? kvYMD(x)[0] : x;
};

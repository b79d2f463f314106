// ISNUMBER(value): whether the value is a number.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ISNUMBER = function (v) {
    return typeof kvV(v) == "number";
};

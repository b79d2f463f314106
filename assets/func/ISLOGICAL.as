// ISLOGICAL(value): whether the value is TRUE or FALSE.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ISLOGICAL = function (v) {
    return typeof kvV(v) == "boolean";
};

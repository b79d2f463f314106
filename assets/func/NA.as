// NA(): the error #N/A.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.NA = function () {
    return kvError("#N/A");
};

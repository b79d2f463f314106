// LARGE(range, k): the k-th largest number of the range.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.LARGE = function (g, k) {
    return kvKth(g, k, true);
};

// SMALL(range, k): the k-th smallest number of the range.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.SMALL = function (g, k) {
    return kvKth(g, k, false);
};

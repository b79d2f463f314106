// kvOne(v): one value where a call may give a range or an array: a single cell's, an array's first, else #VALUE!.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.kvOne = function (v) {
    return kvScalar(v);
};

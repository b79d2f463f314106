// kvOne(v): one value where a call may give a range or an array: a single cell's, an array's first, else #VALUE!.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.kvOne = function (v) {
    // a number, a text or a logical value, as nearly every call gives, is itself
    return typeof v == "object" ? kvScalar(v) : v;
};

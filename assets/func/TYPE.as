// 1 number (and blank), 2 text, 4 logical, 16 error, 64 array.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.TYPE = function (v) {
    if (v instanceof kvArrC || (v instanceof kvRangeC && (v.rows != 1 || v.cols != 1))) {
        return 64;
    }
    v = kvV(v);
    var t = typeof v;
    if (t == "string") {
        return 2;
    }
    if (t == "boolean") {
        return 4;
    }
    if (v instanceof kvErrC) {
        return 16;
    }
    return 1;
};

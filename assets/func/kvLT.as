// a < b
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.kvLT = function (a, b) {
    var c = kvCmpOp(a, b);
    return typeof c == "number" ? c < 0 : c;
};

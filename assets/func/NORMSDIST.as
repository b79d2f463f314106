if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.NORMSDIST = function (v) {
    var z = kvN(v);
    return typeof z == "number" ? kvPhi(z) : z;
};

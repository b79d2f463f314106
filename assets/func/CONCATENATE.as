// CONCATENATE(texts...): the texts joined.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.CONCATENATE = function () {
    var out = "";
    for (var i = 0; i < arguments.length; i++) {
        var s = kvS(arguments[i]);
        if (typeof s != "string") {
            return s;
        }
        out += s;
    }
    return out;
};

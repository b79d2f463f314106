// RANDBETWEEN(bottom, top): a random whole number between the two.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.RANDBETWEEN = function () {
    var a = kvNumArgs(arguments, [null, null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var lo = Math.ceil(a[0]);
    var hi = Math.floor(a[1]);
    if (lo > hi) {
        return kvError("#NUM!");
    }
    return lo + Math.floor(Math.random() * (hi - lo + 1));
};

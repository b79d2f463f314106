// ROUNDDOWN(number, digits): rounded toward zero.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ROUNDDOWN = function () {
    var a = kvNumArgs(arguments, [null, null]);
    if (a instanceof kvErrC) {
        return a;
    }
    return kvRound(a[0], a[1], -1);
};

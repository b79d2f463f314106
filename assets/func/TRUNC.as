// TRUNC(number, [digits]): cut toward zero to the digits.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.TRUNC = function () {
    var a = kvNumArgs(arguments, [null, 0]);
    if (a instanceof kvErrC) {
        return a;
    }
    return kvRound(a[0], a[1], -1);
};

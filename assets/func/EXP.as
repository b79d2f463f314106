// EXP(number): e to the power.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.EXP = function (v) {
    var a = kvNumArgs([v], [null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var x = a[0];
    return kvFin(Math.exp(x));
};

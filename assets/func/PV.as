// PV(rate, periods, payment, [future value], [type])
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.PV = function () {
    var a = kvNumArgs(arguments, [null, null, null, 0, 0]);
    if (a instanceof kvErrC) {
        return a;
    }
    var r = a[0];
    var n = a[1];
    var pmt = a[2];
    var fv = a[3];
    var t = a[4] != 0 ? 1 : 0;
    if (r == 0) {
        return -(fv + pmt * n);
    }
    var f = Math.pow(1 + r, n);
    return kvFin(-(fv + pmt * (1 + r * t) * (f - 1) / r) / f);
};

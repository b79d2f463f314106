// NPER(rate, payment, present value, [future value], [type])
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.NPER = function () {
    var a = kvNumArgs(arguments, [null, null, null, 0, 0]);
    if (a instanceof kvErrC) {
        return a;
    }
    var r = a[0];
    var pmt = a[1];
    var pv = a[2];
    var fv = a[3];
    var t = a[4] != 0 ? 1 : 0;
    if (r == 0) {
        if (pmt == 0) {
            return kvError("#NUM!");
        }
        return -(pv + fv) / pmt;
    }
    var num = pmt * (1 + r * t) - fv * r;
    var den = pv * r + pmt * (1 + r * t);
    if (den == 0 || num / den <= 0 || r <= -1) {
        return kvError("#NUM!");
    }
    return kvFin(Math.log(num / den) / Math.log(1 + r));
};

// XNPV(rate, values, dates)
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.XNPV = function (rate, g, dates) {
    rate = kvN(rate);
    if (typeof rate != "number") {
        return rate;
    }
    var p = kvDated(g, dates);
    if (p instanceof kvErrC) {
        return p;
    }
    if (rate <= -1) {
        return kvError("#NUM!");
    }
    var s = 0;
    for (var i = 0; i < p.values.length; i++) {
        s += p.values[i] / Math.pow(1 + rate, p.times[i]);
    }
    return kvFin(s);
};

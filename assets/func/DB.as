// DB(cost, salvage, life, period, [months]): fixed-declining balance, the rate rounded to three
// decimals; the first year has the given months, the year after the last the rest.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.DB = function () {
    var a = kvNumArgs(arguments, [null, null, null, null, 12]);
    if (a instanceof kvErrC) {
        return a;
    }
    var cost = a[0];
    var salvage = a[1];
    var life = a[2];
    var period = a[3];
    var months = kvTrunc(a[4]);
    if (cost < 0 || salvage < 0 || life <= 0 || period <= 0 || months < 1 || months > 12 ||
        period > life + (months < 12 ? 1 : 0)) {
        return kvError("#NUM!");
    }
    if (cost == 0) {
        return 0;
    }
    var rate = kvRound(1 - Math.pow(salvage / cost, 1 / life), 3, 0);
    var total = cost * rate * months / 12;
    if (Math.floor(period) == 1) {
        return total;
    }
    var dep = 0;
    for (var p = 2; p <= Math.floor(period); p++) {
        if (p == life + 1) {
            dep = (cost - total) * rate * (12 - months) / 12;
        } else {
            dep = (cost - total) * rate;
        }
        total += dep;
    }
    return dep;
};

// DDB(cost, salvage, life, period, [factor]): declining balance, never below the salvage.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.DDB = function () {
    var a = kvNumArgs(arguments, [null, null, null, null, 2]);
    if (a instanceof kvErrC) {
        return a;
    }
    var cost = a[0];
    var salvage = a[1];
    var life = a[2];
    var period = a[3];
    var factor = a[4];
    if (cost < 0 || salvage < 0 || life <= 0 || period <= 0 || factor <= 0 || period > life) {
        return kvError("#NUM!");
    }
    var rate = factor / life;
    if (rate > 1) {
        rate = 1;
    }
    var before = cost * Math.pow(1 - rate, period - 1);
    var dep = before * rate;
    if (before - dep < salvage) {
        dep = before - salvage;
    }
    return dep > 0 ? dep : 0;
};

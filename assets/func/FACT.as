// FACT(number): the factorial of the whole part; #NUM! below 0.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.FACT = function (v) {
    var a = kvNumArgs([v], [null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var x = a[0];
    if (x < 0) {
        return kvError("#NUM!");
    }
    var r = 1;
    for (var i = 2; i <= Math.floor(x); i++) {
        r *= i;
    }
    return kvFin(r);
};

// LN(number): the natural logarithm; #NUM! for a number not above 0.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.LN = function (v) {
    var a = kvNumArgs([v], [null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var x = a[0];
    return x <= 0 ? kvError("#NUM!") : Math.log(x);
};

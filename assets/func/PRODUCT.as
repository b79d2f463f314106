// PRODUCT(numbers...): the product of the numbers.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.PRODUCT = function () {
    var xs = kvNums(arguments, 0, false);
    if (xs instanceof kvErrC) {
        return xs;
    }
    if (xs.length == 0) {
        return 0;
    }
    var p = 1;
    for (var i = 0; i < xs.length; i++) {
        p *= xs[i];
    }
    return kvFin(p);
};

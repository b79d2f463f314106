// SUBTOTAL(function, ranges...): 1-11 and 101-111 for AVERAGE, COUNT, COUNTA, MAX, MIN,
// PRODUCT, STDEV, STDEVP, SUM, VAR, VARP.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.SUBTOTAL = function (f) {
    f = kvI(f);
    if (typeof f != "number") {
        return f;
    }
    if (f > 100) {
        f -= 100;
    }
    if (f < 1 || f > 11) {
        return kvError("#VALUE!");
    }
    return kvSubtotal(f, arguments);
};

// YEARFRAC(start, end, [basis]): 0 US 30/360, 1 actual/actual, 2 actual/360, 3 actual/365,
// 4 European 30/360.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.YEARFRAC = function (from, to, basis) {
    from = kvDateArg(from);
    if (typeof from != "number") {
        return from;
    }
    to = kvDateArg(to);
    if (typeof to != "number") {
        return to;
    }
    basis = basis === undefined ? 0 : kvI(basis);
    if (typeof basis != "number") {
        return basis;
    }
    if (basis < 0 || basis > 4) {
        return kvError("#NUM!");
    }
    return kvYearFrac(Math.floor(from), Math.floor(to), basis);
};

// DAYS(end, start)
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.DAYS = function (to, from) {
    to = kvDateArg(to);
    if (typeof to != "number") {
        return to;
    }
    from = kvDateArg(from);
    if (typeof from != "number") {
        return from;
    }
    return Math.floor(to) - Math.floor(from);
};

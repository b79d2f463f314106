// WEEKDAY(date, [type]): type 1 Sunday 1..Saturday 7, 2 Monday 1..Sunday 7, 3 Monday 0..Sunday
// 6, 11..17 weeks starting Monday..Sunday numbered from 1.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.WEEKDAY = function (v, type) {
    var x = kvDateArg(v);
    if (typeof x != "number") {
        return x;
    }
    var a = kvNumArgs([type], [1]);
    if (a instanceof kvErrC) {
        return a;
    }
    type = kvTrunc(a[0]);
    var w = kvWeekday0(x);
    if (type == 1) {
        return w + 1;
    }
    if (type == 2) {
        return (w + 6) % 7 + 1;
    }
    if (type == 3) {
        return (w + 6) % 7;
    }
    if (type >= 11 && type <= 17) {
        var first = (type - 10) % 7;
        return (w - first + 7) % 7 + 1;
    }
    return kvError("#NUM!");
};

// FIXED(number, [decimals], [no commas])
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.FIXED = function (x, d, plain) {
    var a = kvNumArgs([x, d], [null, 2]);
    if (a instanceof kvErrC) {
        return a;
    }
    plain = kvB(plain);
    if (plain instanceof kvErrC) {
        return plain;
    }
    var places = kvTrunc(a[1]);
    if (places > 127) {
        return kvError("#VALUE!");
    }
    return kvFixedText(a[0], places, !plain);
};

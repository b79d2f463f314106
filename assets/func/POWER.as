// Also the ^ operator. 0^0 is #NUM!, 0 to a negative power #DIV/0!, a negative number to a
// fraction #NUM!.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.POWER = function () {
    var a = kvNumArgs(arguments, [null, null]);
    if (a instanceof kvErrC) {
        return a;
    }
    if (a[0] == 0) {
        if (a[1] == 0) {
            return kvError("#NUM!");
        }
        if (a[1] < 0) {
            return kvError("#DIV/0!");
        }
    }
    if (a[0] < 0 && a[1] != Math.floor(a[1])) {
        return kvError("#NUM!");
    }
    return kvFin(Math.pow(a[0], a[1]));
};

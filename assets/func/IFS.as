// The value after the first true condition; #N/A when none holds.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.IFS = function () {
    for (var i = 0; i + 1 < arguments.length; i += 2) {
        var c = kvB(arguments[i]);
        if (typeof c != "boolean") {
            return c;
        }
        if (c) {
            return arguments[i + 1] === undefined ? 0 : arguments[i + 1];
        }
    }
    return kvError("#N/A");
};

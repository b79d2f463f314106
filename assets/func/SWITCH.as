// SWITCH(value, match1, result1, ..., [default]); #N/A when nothing matches and no default.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.SWITCH = function (v) {
    v = kvV(v);
    if (v instanceof kvErrC) {
        return v;
    }
    var i = 1;
    for (; i + 1 < arguments.length; i += 2) {
        var m = kvV(arguments[i]);
        if (m instanceof kvErrC) {
            return m;
        }
        // an empty cell to match is 0
        if (m === undefined || m === null) {
            m = 0;
        }
        if (typeof m == typeof v && kvCmp(v, m) == 0) {
            return arguments[i + 1];
        }
    }
    if (i < arguments.length) {
        return arguments[i];
    }
    return kvError("#N/A");
};

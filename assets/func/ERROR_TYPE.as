// ERROR.TYPE(value): the number of an error value (1 #NULL! .. 7 #N/A); #N/A for no error.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ERROR_TYPE = function (v) {
    v = kvV(v);
    if (v instanceof kvErrC) {
        var codes = ["#NULL!", "#DIV/0!", "#VALUE!", "#REF!", "#NAME?", "#NUM!", "#N/A"];
        for (var i = 0; i < codes.length; i++) {
            if (codes[i] == v.code) {
                return i + 1;
            }
        }
    }
    return kvError("#N/A");
};

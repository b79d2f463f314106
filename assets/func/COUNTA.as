// COUNTA(values...): the number of values that are not blank.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.COUNTA = function () {
    return kvCount(arguments, true);
};

// Numbers; given directly also logical values and text that reads as a number. Errors are
// not counted and not passed on.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.COUNT = function () {
    return kvCount(arguments, false);
};

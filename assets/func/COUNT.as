// Numbers; given directly also logical values and text that reads as a number. Errors are
// not counted and not passed on.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.COUNT = function () {
    var v = arguments[0];
    if (arguments.length == 1 && v instanceof kvRangeC && kvLib.kvPass != undefined) {
        // the counts of its band's runs (aggregate.as), read once a pass
        return kvRangeCount(v);
    }
    return kvCount(arguments, false);
};

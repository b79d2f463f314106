// Sample standard deviation, logical values and text in ranges counted (text as 0).
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.STDEVA = function () {
    return kvSpread(arguments, true, false, true);
};

// FLOOR.MATH(x, [significance], [mode]): a non-zero mode rounds negatives toward zero.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.FLOOR_MATH = function () {
    return kvRoundMath(arguments, false);
};

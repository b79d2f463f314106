// CEILING.MATH(x, [significance], [mode]): a non-zero mode rounds negatives away from zero.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.CEILING_MATH = function () {
    return kvRoundMath(arguments, true);
};

// EXACT(text1, text2): whether the texts are equal, case included.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.EXACT = function (a, b) {
    a = kvS(a);
    if (typeof a != "string") {
        return a;
    }
    b = kvS(b);
    if (typeof b != "string") {
        return b;
    }
    return a === b;
};

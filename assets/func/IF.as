// A left-out or blank branch gives 0; a left-out else branch gives FALSE.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.IF = function (c, a, b) {
    c = kvB(c);
    if (typeof c != "boolean") {
        return c;
    }
    if (c) {
        return a === undefined ? 0 : a;
    }
    if (arguments.length < 3) {
        return false;
    }
    return b === undefined ? 0 : b;
};

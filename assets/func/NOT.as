// NOT(logical): the opposite logical value.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.NOT = function (v) {
    var b = kvB(v);
    return typeof b == "boolean" ? !b : b;
};

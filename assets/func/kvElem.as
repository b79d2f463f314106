// kvElem(v, row, column): the element an array formula's cell takes of the formula's result.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.kvElem = function (v, r, c) {
    return kvElement(v, r, c);
};

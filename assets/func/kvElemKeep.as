// kvElemKeep(v, id): the top-left cell of an array formula's area keeps the result for the area's other cells and takes its element.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
// The other cells run after it in every calculation (their code names its variable), so what
// it keeps is always of the same pass.
kvLib.kvElemKeep = function (v, id) {
    if (kvLib.kvAreas == undefined) {
        kvLib.kvAreas = new Object();
    }
    // in an array of its own, so that a blank result is told from none
    kvLib.kvAreas[id] = [v];
    return kvElement(v, 0, 0);
};

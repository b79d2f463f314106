// Writing the texts that a data source delivers into the model's cells. The conversions are
// the manager's (assets/kvbase), which every published movie carries: its initialisation has
// run before the loader's frame.

// A delivered text as a cell value, as the manager reads the columns of a data answer.
_global.kvLdValue = function (text) {
    if (text == undefined || text == "")
        return undefined;
    return kvIsDecimal(text) ? parseFloat(text) : text;
};

// True for the name of a model variable: "V" and decimal digits. Data sources may only write
// those, never the movie's functions or tables.
_global.kvLdIsCellName = function (name) {
    if (name.length < 2 || name.charAt(0) != "V")
        return false;
    for (var i = 1; i < name.length; i++) {
        var c = name.charAt(i);
        if (c < "0" || c > "9")
            return false;
    }
    return true;
};

// Writes the texts into the cells of a range array (rows of cell names) in reading order;
// cells beyond the texts are emptied, so a shorter answer leaves no stale rows behind.
_global.kvLdFillRange = function (range, texts) {
    var next = 0;
    for (var r = 0; r < range.length; r++) {
        var row = range[r];
        for (var c = 0; c < row.length; c++) {
            _root[row[c]] = next < texts.length ? kvLdValue(texts[next]) : undefined;
            next++;
        }
    }
};

// New values are in: the static fields follow them and the manager recalculates the model in
// its next frame.
_global.kvLdDataArrived = function () {
    if (_global.kvStaticPending)
        kvApplyStaticData();
    kvMgrSetDirty();
};

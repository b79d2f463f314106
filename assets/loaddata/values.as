// Turning the texts that a data source delivers into cell values, and writing them into the
// model's variables. Shared by the web-service and the XML-map loading.

#include "shared/cellname.as"

#include "shared/xmldata.as"

_global.kvLdIsDecimal = kvXmlIsDecimal;
_global.kvLdValue = kvXmlValue;

// Writes the texts into the cells of a range (the model's view on rows of cell names:
// kvRangeC, row r being b[o + r]) in reading order; cells beyond the texts are emptied, so a
// shorter answer leaves no stale rows behind. A cell without a variable (a row the band does
// not hold, or an undefined name) keeps no value but still takes its text's place.
_global.kvLdFillRange = function (range, texts) {
    var next = 0;
    var rows = range.b.length - range.o;
    if (rows > range.rows)
        rows = range.rows;
    for (var r = 0; r < rows; r++) {
        var row = range.b[range.o + r];
        for (var c = 0; c < range.cols; c++) {
            var name = row == undefined ? undefined : row[c];
            if (name != undefined)
                _root[name] = next < texts.length ? kvLdValue(texts[next]) : undefined;
            next++;
        }
    }
};

// The URL of a source: its static text, or the value of the cell it names as dynamic.
_global.kvLdUrl = function (source) {
    if (source.dynamic != undefined)
        return String(_root[source.dynamic]);
    return source.static;
};

// Runs the model's formulas on the new values, fills the static fields again and lets the
// components show them: the manager's work once it is there (from the movie's first script
// on), the formulas alone before.
_global.kvLdRecalculate = function () {
    if (_root.mgr.recalculate != undefined)
        _root.mgr.recalculate();
    else
        _root.kvCalc();
};

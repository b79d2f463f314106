// Filter: "numFilters" lists side by side over the rows of "values" (a table). List i shows,
// under its title (label i), the different values of column i among the rows that match the
// items chosen in the lists before it, so each choice narrows the lists after it. A click on an
// item chooses it ("selectIdx" holds one index per list), resets the lists after it to their
// first item and inserts the first matching row (or its position from 1, or the item chosen
// last as "label") into the cells. The matching rows stay in kvMatches, each list's items in
// kvLevels.
#include "shared/selector.as"

var filter = kvDefineComponent("KVFilterSymbol", 300, 120, function () {
    var w = this.kvW;
    var top = kvSelectorTitle(this)[0];
    var h = this.kvH - top;
    this.kvNarrow();
    var levels = this.kvLevels, n = levels.length;
    var titles = this.labels == undefined ? [] : this.labels;
    var titleH = 18, rowH = 18, colW = w / Math.max(n, 1);
    var box = this.kvClip("kvBox");
    box._y = top;
    var owner = this;
    var slot = 0;
    for (var i = 0; i < n; i++) {
        var x = i * colW;
        kvRect(box, x, titleH, colW - 2, h - titleH - 1, this.defaultFillColor == undefined ? 0xFFFFFF : this.defaultFillColor,
               this.borderColor);
        this.kvText("kvHead" + i, x, top, colW - 2, titleH, titles[i], this.titleTextFormat, "left");
        var items = levels[i].items, chosen = levels[i].chosen;
        var rows = Math.max(Math.floor((h - titleH - 2) / rowH), 1);
        for (var r = 0; r < rows; r++, slot++) {
            if (r == chosen && r < items.length)
                kvRect(box, x + 1, titleH + 1 + r * rowH, colW - 4, rowH, this.selectedFillColor, undefined);
            this.kvText("kvCell" + slot, x + 3, top + titleH + 1 + r * rowH, colW - 6, rowH,
                        r < items.length ? kvSelectorLabel(this, items[r]) : "",
                        r == chosen ? kvSelectorChosenFormat(this, this.labelTextFormat) : this.labelTextFormat, "left");
        }
    }
    this.kvClearTexts("kvCell", slot);
    this.kvClearTexts("kvHead", n);
    box.onRelease = function () {
        var level = Math.floor(owner._xmouse / colW);
        var row = Math.floor((owner._ymouse - top - titleH - 1) / rowH);
        if (level >= 0 && level < owner.kvLevels.length && row >= 0 && row < owner.kvLevels[level].items.length)
            owner.kvChoose(level, row);
    };
});
filter.kvWatch = ["values", "title"];

// The rows of the table: a table of one column may arrive as a plain list.
filter.kvRows = function () {
    var source = this.values == undefined ? [] : this.values, rows = [];
    for (var r = 0; r < source.length; r++)
        rows.push(source[r] instanceof Array ? source[r] : [source[r]]);
    return rows;
};

// Works out each list's items and choice, and the rows that match every choice (kvMatches,
// as positions in the table).
filter.kvNarrow = function () {
    var n = Math.max(kvNumber(this.numFilters, 1), 1);
    if (!(this.selectIdx instanceof Array))
        this.selectIdx = [kvNumber(this.selectIdx, 0)];
    var table = this.kvRows(), rows = [];
    for (var t = 0; t < table.length; t++)
        rows.push(t);
    this.kvLevels = [];
    for (var i = 0; i < n; i++) {
        var items = [], seen = {}, kept = [];
        for (var r = 0; r < rows.length; r++) {
            var v = table[rows[r]][i];
            var key = "k" + String(v);
            if (seen[key] != true) {
                seen[key] = true;
                items.push(v);
            }
        }
        var chosen = Math.min(Math.max(kvNumber(this.selectIdx[i], 0), 0), Math.max(items.length - 1, 0));
        this.selectIdx[i] = chosen;
        for (var k = 0; k < rows.length; k++) {
            if (items.length > 0 && String(table[rows[k]][i]) == String(items[chosen]))
                kept.push(rows[k]);
        }
        this.kvLevels.push({items: items, chosen: chosen});
        rows = kept;
    }
    this.kvMatches = rows;
    this.kvTable = table;
};

filter.kvChoose = function (level, row) {
    this.selectIdx[level] = row;
    for (var i = level + 1; i < this.selectIdx.length; i++)
        this.selectIdx[i] = 0;
    this.kvNarrow();
    var how = this.retInfo == undefined ? "rows" : String(this.retInfo).toLowerCase();
    var first = this.kvMatches[0], picked;
    if (how == "position") {
        picked = first == undefined ? 0 : first + 1;
    } else if (how == "label") {
        var last = this.kvLevels[this.kvLevels.length - 1];
        picked = last.items[last.chosen];
    } else {
        picked = first == undefined ? [] : this.kvTable[first];
    }
    kvSelectorPut(this, "dataValues", picked);
    this.kvClick();
    this.mc();
    this.kvCommit();
};
// The class keeps what it needs: the variable would hide a placed clip of the same name.
delete filter;

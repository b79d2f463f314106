// Play selector: plays through the rows of "sourceCells_ary" (its columns with "playBy"
// "column") on a timer, writing each into the "targetCells_ary" cells, with the item's label
// ("labels_ary", else the "playBy" text and the item's number) over the play bar
// (shared/play.as). "selectIdx" is the item shown at the start. Its panel shows its fill and
// border while "showFill" and "borderEnabled" are on, and lets "transparency" per cent of what
// lies behind it show through.
#include "shared/selector.as"
#include "shared/play.as"

var player = kvDefineComponent("KVPlaySelectorSymbol", 200, 50, function () {
    var w = this.kvW, h = this.kvH;
    var labelH = Math.min(18, Math.max(h - 24, 0));
    var back = this.kvClip("kvBack");
    kvRect(back, 0, 0, w - 1, h - 1,
           this.showFill == false ? undefined : (this.backgroundColor == undefined ? 0xFFFFFF : this.backgroundColor),
           this.borderEnabled == false ? undefined : this.borderColor);
    back._alpha = 100 - Math.min(Math.max(kvNumber(this.transparency, 0), 0), 100);
    this.kvPlayDraw(2, labelH, w - 4, h - labelH - 2);
    this.kvText("kvLabel", 4, 1, w - 8, labelH, labelH > 0 ? this.kvPlayLabel(this.kvPlayAt) : "", this.labelTextFormat, "left");
});
player.kvWatch = ["sourceCells_ary", "labels_ary"];
kvPlayDefine(player);

player.kvByColumn = function () {
    return String(this.playBy).toLowerCase() == "column";
};

// The source as rows: a single row or column of cells arrives as a plain list, one item a cell
// played by row, or one row played by column.
player.kvPlayRows = function () {
    var source = this.sourceCells_ary == undefined ? [] : this.sourceCells_ary;
    if (source.length > 0 && !(source[0] instanceof Array)) {
        if (this.kvByColumn())
            return [source];
        var rows = [];
        for (var i = 0; i < source.length; i++)
            rows.push([source[i]]);
        return rows;
    }
    return source;
};

player.kvPlayCount = function () {
    var rows = this.kvPlayRows();
    if (rows.length == 0)
        return this.labels_ary == undefined ? 0 : this.labels_ary.length;
    return this.kvByColumn() ? rows[0].length : rows.length;
};

player.kvPlayLabel = function (i) {
    var labels = this.labels_ary;
    if (labels != undefined && labels[i] != undefined && labels[i] !== "")
        return String(labels[i]);
    var by = this.playBy == undefined ? "" : String(this.playBy);
    return (by == "" ? "" : by + " ") + (i + 1);
};

player.kvPlayPut = function (i) {
    var rows = this.kvPlayRows(), picked = [];
    if (this.kvByColumn()) {
        for (var r = 0; r < rows.length; r++)
            picked.push(rows[r][i]);
    } else if (rows[i] != undefined) {
        picked = rows[i];
    }
    this.selectIdx = i;
    if (picked.length > 0)
        kvSelectorPut(this, "targetCells_ary", picked);
};
// The class keeps what it needs: the variable would hide a placed clip of the same name.
delete player;

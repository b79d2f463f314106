// Grid: the cells of "mv" (rows of values) in a table; pressing a cell and moving the mouse up
// or down changes its value by "incSize" every "sensitivity" pixels, kept between "minValue" and
// "maxValue"; the values go into their cells on release.
#include "shared/component.as"

var grid = kvDefineComponent("KVGridSymbol", 240, 120, function () {
    var w = this.kvW, h = this.kvH;
    var rows = this.mv instanceof Array ? this.mv : [[this.mv]];
    var nRows = rows.length, nCols = 0;
    for (var r = 0; r < nRows; r++)
        nCols = Math.max(nCols, rows[r] instanceof Array ? rows[r].length : 1);
    var titleH = this.titleEnabled == false || this.title == undefined || this.title == "" ? 0 : 18;
    var cellW = w / Math.max(nCols, 1), cellH = Math.min((h - titleH) / Math.max(nRows, 1), 24);
    this.kvCellSize = [cellW, cellH, titleH];
    var table = this.kvClip("kvTable");
    var n = 0;
    for (var i = 0; i < nRows; i++) {
        for (var j = 0; j < nCols; j++) {
            var v = rows[i] instanceof Array ? rows[i][j] : rows[i];
            kvRect(table, j * cellW, titleH + i * cellH, cellW - 1, cellH - 1,
                   this.kvActive == n ? this.selectedFillColor : this.fillColor, this.borderColor);
            this.kvText("kvCell" + n, j * cellW + 2, titleH + i * cellH + (cellH - 18) / 2, cellW - 5, 18,
                        kvShowNumber(v, this.formatValue), this.valueTextFormat, "right");
            n++;
        }
    }
    this.kvClearTexts("kvCell", n);
    this.kvColumns = nCols;
    var owner = this;
    table.onPress = function () { owner.kvAdjustFrom(); };
    table.onRelease = table.onReleaseOutside = function () { owner.kvAdjustEnd(); };
    this.kvText("kvTitle", 0, 0, w, titleH, titleH > 0 ? this.title : "", this.titleTextFormat, "left");
});
grid.kvWatch = ["title"];

// The row and column under the mouse, or undefined.
grid.kvCellAtMouse = function () {
    var size = this.kvCellSize;
    var i = Math.floor((this._ymouse - size[2]) / size[1]), j = Math.floor(this._xmouse / size[0]);
    var rows = this.mv;
    if (!(rows instanceof Array) || i < 0 || i >= rows.length || j < 0 || j >= this.kvColumns)
        return undefined;
    return [i, j];
};

grid.kvAdjustFrom = function () {
    var at = this.kvCellAtMouse();
    if (at == undefined)
        return;
    var row = this.mv[at[0]];
    this.kvAt = at;
    this.kvActive = at[0] * this.kvColumns + at[1];
    this.kvStartY = this._ymouse;
    this.kvStartValue = kvNumber(row instanceof Array ? row[at[1]] : row, 0);
    this.onMouseMove = function () {
        var per = Math.max(kvNumber(this.sensitivity, 3), 1), step = kvNumber(this.incSize, 1);
        var v = this.kvStartValue + Math.round((this.kvStartY - this._ymouse) / per) * step;
        v = Math.round(v * 1e9) / 1e9;
        var lo = kvNumber(this.minValue, -1e300), hi = kvNumber(this.maxValue, 1e300);
        v = Math.min(Math.max(v, lo), hi);
        var cells = this.mv[this.kvAt[0]];
        if (cells instanceof Array)
            cells[this.kvAt[1]] = v;
        else
            this.mv[this.kvAt[0]] = v;
        this.mc();
        updateAfterEvent();
    };
    this.mc();
};

grid.kvAdjustEnd = function () {
    if (this.kvAt == undefined)
        return;
    // Where the mouse let go counts, whether or not a move reported it.
    this.onMouseMove();
    this.kvAt = undefined;
    this.kvActive = undefined;
    this.onMouseMove = undefined;
    this.mc();
    this.kvCommit();
};
// The class keeps what it needs: the variable would hide a placed clip of the same name.
delete grid;

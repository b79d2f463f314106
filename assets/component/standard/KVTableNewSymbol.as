// Table: the rows of "dataValues_ary" under a grid; a click on a row that "disabledRows_ary"
// leaves selectable chooses it ("selectIdx") and copies the matching row of "sourceCells_ary"
// (or the shown row when there is no source) into the "targetCells_ary" cells. The row under the
// mouse takes "mouseOverColor"; with "updateOn" "mouse over" moving onto a row chooses it.
#include "shared/selector.as"

var table = kvDefineComponent("KVTableNewSymbol", 300, 150, function () {
    var w = this.kvW, h = this.kvH;
    var rows = this.dataValues_ary instanceof Array ? this.dataValues_ary : [];
    var nCols = 1;
    for (var r = 0; r < rows.length; r++)
        nCols = Math.max(nCols, rows[r] instanceof Array ? rows[r].length : 1);
    var rowH = 20, cellW = w / nCols;
    var index = kvNumber(this.selectIdx, 0);
    var body = this.kvClip("kvBody");
    kvRect(body, 0, 0, w - 1, h - 1, this.fillColor == undefined ? 0xFFFFFF : this.fillColor, this.borderColor);
    var n = 0;
    for (var i = 0; i < rows.length && (i + 1) * rowH <= h; i++) {
        if (i == index)
            kvRect(body, 1, i * rowH + 1, w - 3, rowH - 1, this.selectColor == undefined ? 0xCCDDFF : this.selectColor,
                   undefined);
        else if (i == this.kvOver && this.mouseOverColor != undefined)
            kvRect(body, 1, i * rowH + 1, w - 3, rowH - 1, this.mouseOverColor, undefined);
        if (this.showGrid != false && i > 0) {
            body.lineStyle(0, this.gridColor == undefined ? 0xDDDDDD : this.gridColor, 100);
            body.moveTo(0, i * rowH);
            body.lineTo(w - 1, i * rowH);
        }
        var disabled = this.disabledRows_ary instanceof Array && this.disabledRows_ary[i] == true;
        for (var j = 0; j < nCols; j++) {
            var v = rows[i] instanceof Array ? rows[i][j] : rows[i];
            var f = this.labelTextFormat;
            if (disabled)
                f = {font: f.font, size: f.size, color: 0x999999};
            this.kvText("kvCell" + n, j * cellW + 3, i * rowH + 1, cellW - 6, rowH - 2, kvShowNumber(v, this.formatValue),
                        f, typeof v == "number" ? "right" : "left");
            n++;
        }
    }
    this.kvClearTexts("kvCell", n);
    var owner = this;
    this.kvRowH = rowH;
    body.onRelease = function () {
        var picked = Math.floor(owner._ymouse / rowH);
        if (owner.kvChoosable(picked))
            owner.kvChoose(picked);
    };
    body.onRollOver = function () {
        owner.onMouseMove = owner.kvTrack;
        owner.kvTrack();
    };
    body.onRollOut = body.onDragOut = function () {
        delete owner.onMouseMove;
        owner.kvOver = undefined;
        owner.mc();
    };
});

table.kvChoosable = function (row) {
    var rows = this.dataValues_ary instanceof Array ? this.dataValues_ary : [];
    return row >= 0 && row < rows.length && !(this.disabledRows_ary instanceof Array && this.disabledRows_ary[row] == true);
};

// The row under the mouse: marked, and chosen at once when the table updates on mouse over.
table.kvTrack = function () {
    var row = Math.floor(this._ymouse / this.kvRowH);
    if (row == this.kvOver)
        return;
    this.kvOver = row;
    var how = this.updateOn instanceof Array ? this.updateOn[0] : this.updateOn;
    if (how == "mouse over" && this.kvChoosable(row) && row != kvNumber(this.selectIdx, 0))
        this.kvChoose(row);
    else
        this.mc();
};
table.kvWatch = ["selectIdx"];

table.kvChoose = function (index) {
    this.selectIdx = index;
    this.kvClick();
    var source = this.sourceCells_ary instanceof Array && this.sourceCells_ary.length > 0 ? this.sourceCells_ary
                                                                                       : this.dataValues_ary;
    var picked = source[index];
    if (!(picked instanceof Array))
        picked = [picked];
    kvSelectorFill(this, "targetCells_ary", picked);
    this.mc();
    this.kvCommit();
};
// The class keeps what it needs: the variable would hide a placed clip of the same name.
delete table;

// Combo box: the chosen label in a box with an arrow; a click opens the list of "labels" below
// it (one row a frame with "animation"), a click on an item chooses it and inserts it into the
// cells by the insert option. The arrow's button is filled "arrowDefaultColor", while the list is
// open "arrowSelectColor", or shaded with "useDefaultArt"; with "useLabelArt" the open rows
// stand on their plates.
#include "shared/selector.as"

var combo = kvDefineComponent("KVComboBoxSymbol", 150, 24, function () {
    kvSelectorFollow(this);
    // The title sits above the box, or at its left when the box is too short for both.
    var at = kvSelectorTitle(this, 0.4);
    var titleH = at[0], left = at[1];
    var w = this.kvW - left, h = this.kvH - titleH;
    var labels = this.labels == undefined ? [] : this.labels;
    var index = kvNumber(this.selectIdx, 0);
    var face = this.kvClip("kvFace");
    face._x = left;
    face._y = titleH;
    kvRect(face, 0, 0, w - 1, h - 1, this.defaultFillColor == undefined ? 0xFFFFFF : this.defaultFillColor,
           this.borderColor);
    var open = this.kvOpen == true;
    var button = open ? this.arrowSelectColor : this.arrowDefaultColor;
    face.lineStyle(0, this.borderColor == undefined ? 0x666666 : this.borderColor, 100);
    kvMarkerFill(face, this, w - h, 0, h - 1, h - 1, open, button == undefined ? 0xEEEEEE : button, false);
    kvSelectorRound(face, w - h, 0, h - 1, h - 1, this.useDefaultArt == true ? 3 : 0);
    face.endFill();
    face.beginFill(0x333333, 100);
    face.moveTo(w - h * 0.7, h * 0.4);
    face.lineTo(w - h * 0.3, h * 0.4);
    face.lineTo(w - h / 2, h * 0.65);
    face.endFill();
    var owner = this;
    face.onRelease = function () {
        owner.kvOpen = owner.kvOpen != true;
        // The open list hangs below the box: over whatever was placed after it.
        if (owner.kvOpen)
            owner.swapDepths(_global.kvTopDepth = _global.kvTopDepth == undefined ? 20000 : _global.kvTopDepth + 1);
        kvUnfold(owner, owner.kvOpen && (owner.animation == true || owner.animation == "on"));
    };
    this.kvText("kvChosen", left + 2, titleH + Math.round((h - 18) / 2), w - h - 4, 18, kvSelectorLabel(this, labels[index]),
                this.labelTextFormat, "left");

    // The open list: one row per label, the chosen one marked; at most "rowCnt" rows at a time,
    // with a strip at their right whose thumb ("thumbColor") shows where they are: a click above
    // or below it turns a page of rows.
    var list = this.kvClip("kvList");
    list._x = left;
    list._y = titleH;
    var rowH = 18, total = labels.length;
    var rows = Math.max(Math.min(kvNumber(this.rowCnt, total), total), 1);
    if (this.kvOpen != true)
        this.kvFirst = undefined;
    var first = Math.min(Math.max(kvNumber(this.kvFirst, index - rows + 1), 0), Math.max(total - rows, 0));
    this.kvFirst = first;
    var strip = total > rows ? 10 : 0;
    for (var i = 0; i < total || this["kvItem" + i] != undefined; i++) {
        var j = i - first;
        var shown = this.kvOpen == true && i < total && j >= 0 && j < rows && (this.kvReveal == undefined || j < this.kvReveal);
        if (shown) {
            if (this.useLabelArt == true) {
                kvRect(list, 0, h + j * rowH, w - 1 - strip, rowH, 0xFFFFFF, this.borderColor);
                kvLabelFill(list, this, 1, h + j * rowH + 1, w - 3 - strip, rowH - 2, i == index);
            } else {
                var fill = i == index ? this.selectedFillColor : this.defaultFillColor;
                kvRect(list, 0, h + j * rowH, w - 1 - strip, rowH, fill == undefined ? 0xFFFFFF : fill, this.borderColor);
            }
        }
        var item = this.kvText("kvItem" + i, left + 2, titleH + h + j * rowH, w - 4 - strip, rowH,
                               shown ? kvSelectorLabel(this, labels[i]) : "",
                               i == index ? kvSelectorChosenFormat(this, this.labelTextFormat) : this.labelTextFormat, "left");
        item._visible = shown;
    }
    if (this.kvOpen == true && strip > 0) {
        kvRect(list, w - 1 - strip, h, strip, rows * rowH, 0xEEEEEE, this.borderColor);
        this.kvThumb = [h + rows * rowH * first / total, rows * rowH * rows / total];
        kvRect(list, w - strip, this.kvThumb[0] + 1, strip - 2, this.kvThumb[1] - 2,
               this.thumbColor == undefined ? 0x999999 : this.thumbColor, undefined);
    }
    list.onRelease = function () {
        var y = owner._ymouse - titleH;
        if (strip > 0 && owner._xmouse >= left + w - 1 - strip) {
            // The strip: a page of rows up or down; the list stays open.
            owner.kvFirst = first + (y < owner.kvThumb[0] ? -rows : rows);
            owner.mc();
            return;
        }
        var picked = first + Math.floor((y - h) / rowH);
        owner.kvOpen = false;
        if (picked >= first && picked < total)
            kvSelectorInsert(owner, picked);
        else
            owner.mc();
    };
});
combo.kvWatch = ["selectIdx", "title"];
// The class keeps what it needs: the variable would hide a placed clip of the same name.
delete combo;

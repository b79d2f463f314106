// Combo box: the chosen label in a box with an arrow; a click opens the list of "labels" below
// it (one row a frame with "animation"), a click on an item chooses it and inserts it into the
// cells by the insert option. The arrow's button is filled "arrowDefaultColor", while the list is
// open "arrowSelectColor", or shaded with "useDefaultArt"; with "useLabelArt" the open rows
// stand on their plates.
#include "shared/selector.as"

var combo = kvDefineComponent("KVComboBoxSymbol", 150, 24, function () {
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

    // The open list: one row per label, the chosen one marked.
    var list = this.kvClip("kvList");
    list._x = left;
    list._y = titleH;
    var rowH = 18;
    for (var i = 0; i < labels.length || this["kvItem" + i] != undefined; i++) {
        var shown = this.kvOpen == true && i < labels.length && (this.kvReveal == undefined || i < this.kvReveal);
        if (shown) {
            if (this.useLabelArt == true) {
                kvRect(list, 0, h + i * rowH, w - 1, rowH, 0xFFFFFF, this.borderColor);
                kvLabelFill(list, this, 1, h + i * rowH + 1, w - 3, rowH - 2, i == index);
            } else {
                var fill = i == index ? this.selectedFillColor : this.defaultFillColor;
                kvRect(list, 0, h + i * rowH, w - 1, rowH, fill == undefined ? 0xFFFFFF : fill, this.borderColor);
            }
        }
        var item = this.kvText("kvItem" + i, left + 2, titleH + h + i * rowH, w - 4, rowH,
                               shown ? kvSelectorLabel(this, labels[i]) : "",
                               i == index ? kvSelectorChosenFormat(this, this.labelTextFormat) : this.labelTextFormat, "left");
        item._visible = shown;
    }
    list.onRelease = function () {
        var picked = Math.floor((owner._ymouse - owner.kvH) / rowH);
        owner.kvOpen = false;
        if (picked >= 0 && picked < labels.length)
            kvSelectorInsert(owner, picked);
        else
            owner.mc();
    };
});
combo.kvWatch = ["selectIdx", "title"];
// The class keeps what it needs: the variable would hide a placed clip of the same name.
delete combo;

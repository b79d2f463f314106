// Radio button set: one round button per label, in a column or, with "menuOrientation"
// "horizontal", a row, "itemSeparation" pixels apart; a click chooses one and inserts it into the
// cells (shared/selector.as). The buttons are filled "defaultColor" around a "selectColor" dot,
// or shaded with "useDefaultArt"; with "useLabelArt" each item stands on its plate. The buttons
// stand on the selector's background (shared/selector.as), inside its margins, under their
// title or above it ("titlePosition"); the label shifts move their labels.
#include "shared/selector.as"

var radios = kvDefineComponent("KVRadioButtonSetSymbol", 150, 100, function () {
    kvSelectorFollow(this);
    var w = this.kvW, h = this.kvH;
    var labels = this.labels == undefined ? [] : this.labels;
    var titleH = kvSelectorTitleText(this) == "" ? 0 : 18;
    var below = kvSelectorTitleBelow(this), top = below ? 0 : titleH;
    var across = String(this.menuOrientation).toLowerCase() == "horizontal";
    var n = Math.max(labels.length, 1), gap = kvItemGap(this);
    var buttons = this.kvClip("kvButtons");
    var margin = kvSelectorBackground(buttons, this, 0, top, w, h - titleH);
    var mx = margin[0], my = margin[1], iw = w - 2 * mx, ih = h - titleH - 2 * my;
    var cellW = across ? (iw - gap * (n - 1)) / n : iw, cellH = across ? ih : Math.max((ih - gap * (n - 1)) / n, 16);
    var index = kvNumber(this.selectIdx, 0);
    var ring = this.backgroundProps.borderColor != undefined ? this.backgroundProps.borderColor : this.borderColor;
    this.kvCells = [];
    for (var i = 0; i < labels.length || this["kvLabel" + i] != undefined; i++) {
        var x = mx + (across ? i * (cellW + gap) : 0), y = top + my + (across ? 0 : i * (cellH + gap));
        var shown = i < labels.length;
        if (shown) {
            var cx = x + 9, cy = y + cellH / 2;
            if (this.useLabelArt == true)
                kvLabelFill(buttons, this, x, y + 1, cellW, cellH - 2, i == index);
            buttons.lineStyle(0, ring == undefined ? 0x666666 : ring, 100);
            kvMarkerFill(buttons, this, cx - 6, cy - 6, 12, 12, false, this.defaultColor == undefined ? 0xFFFFFF : this.defaultColor,
                         true);
            kvCircle(buttons, cx, cy, 6);
            buttons.endFill();
            if (i == index) {
                buttons.lineStyle();
                var dot = this.selectColor != undefined ? this.selectColor : this.selectedColor;
                kvMarkerFill(buttons, this, cx - 3, cy - 3, 6, 6, true, dot == undefined ? 0x333333 : dot, true);
                kvCircle(buttons, cx, cy, 3);
                buttons.endFill();
            }
            this.kvCells.push([x, y, cellW, cellH]);
        }
        kvSelectorLabelAt(this, "kvLabel" + i, x + 18, y + (cellH - 18) / 2, cellW - 20, 18, shown ? kvSelectorLabel(this, labels[i]) : "",
                    this.labelTextFormat, "left");
    }
    var owner = this;
    buttons.onRelease = function () {
        var cells = owner.kvCells;
        for (var k = 0; k < cells.length; k++) {
            var c = cells[k];
            if (owner._xmouse >= c[0] && owner._xmouse < c[0] + c[2] && owner._ymouse >= c[1] && owner._ymouse < c[1] + c[3]) {
                kvSelectorInsert(owner, k);
                return;
            }
        }
    };
    kvSelectorTitleAt(this, "kvTitle", 0, below ? h - titleH : 0, w, titleH, kvSelectorTitleText(this), kvSelectorTitleFormat(this),
                      "left");
});
radios.kvWatch = ["selectIdx"];
// The class keeps what it needs: the variable would hide a placed clip of the same name.
delete radios;

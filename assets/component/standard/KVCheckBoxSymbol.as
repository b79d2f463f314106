// Check box: a box and its label ("title"); a click toggles it and inserts the chosen state
// (unchecked = item 0, checked = item 1) into its cells. The box is filled "defaultColor" while
// unchecked and "selectColor" while checked, or shaded with "useDefaultArt".
#include "shared/selector.as"

var box = kvDefineComponent("KVCheckBoxSymbol", 150, 24, function () {
    kvSelectorFollow(this, 2);
    var h = this.kvH, size = Math.min(h - 6, 14);
    var y = Math.round((h - size) / 2);
    // The whole component takes the click.
    var hit = this.kvClip("kvHit");
    // Its "fillColor" (the Border group's fill) stands behind it all.
    var back = this.fillColor != undefined ? this.fillColor : this.backgroundColor;
    kvRect(hit, 0, 0, this.kvW, h, back == undefined ? 0xFFFFFF : back, undefined);
    var owner = this;
    hit.onRelease = function () { kvSelectorInsert(owner, owner.selectIdx == 1 ? 0 : 1); };
    var mark = this.kvClip("kvBox");
    var on = this.selectIdx == 1;
    var plain = on ? this.selectColor : this.defaultColor;
    if (plain == undefined)
        plain = 0xFFFFFF;
    mark.lineStyle(0, this.borderColor == undefined ? 0x666666 : this.borderColor, 100);
    kvMarkerFill(mark, this, 2, y, size, size, on, plain, false);
    kvSelectorRound(mark, 2, y, size, size, this.useDefaultArt == true ? 3 : 0);
    mark.endFill();
    if (on) {
        mark.lineStyle(2, this.selectedColor == undefined ? 0x333333 : this.selectedColor, 100);
        mark.moveTo(4, y + size / 2);
        mark.lineTo(2 + size * 0.4, y + size - 3);
        mark.lineTo(size, y + 3);
    }
    kvSelectorTitleAt(this, "kvLabel", size + 8, Math.round((h - 18) / 2), this.kvW - size - 8, 18, kvSelectorTitleText(this),
                      kvSelectorTitleFormat(this), "left");
});
box.kvWatch = ["title", "selectIdx"];
// The class keeps what it needs: the variable would hide a placed clip of the same name.
delete box;

// Value display: a title over a framed box that shows the bound value ("mv") in its number
// format; alerts colour the box and the value.
#include "shared/component.as"

kvDefineComponent("KVValueDisplaySymbol", 150, 50, function () {
    var w = this.kvW, h = this.kvH;
    var titleH = this.titleEnabled == false ? 0
               : this.kvTitleHeight(this.title, this.titleTextFormat, Math.min(Math.round(h * 0.4), 22));
    var box = this.kvClip("kvBox");
    kvRect(box, 0, titleH, w - 1, h - titleH - 1, this.kvAlertFill(this.mv, this.fillColor), this.borderColor);
    this.kvText("kvTitle", 0, 0, w, titleH, titleH > 0 ? this.title : "", this.titleTextFormat, "center");
    this.kvText("kvValue", 2, titleH + 2, w - 4, h - titleH - 4, kvShowNumber(this.mv, this.formatValue),
                this.kvAlertText(this.mv, this.valueTextFormat), "center");
});

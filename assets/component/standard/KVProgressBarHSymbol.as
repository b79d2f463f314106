// Horizontal progress bar: a frame filled from the left in proportion to "mv" between
// "minValue" and "maxValue", in its alert colour when alerts are on; the filled width stays in
// kvFillW.
#include "shared/component.as"

kvDefineComponent("KVProgressBarHSymbol", 200, 40, function () {
    var w = this.kvW, h = this.kvH;
    // A line of the title's text needs 18 pixels; the bar keeps at least 10.
    var titleH = this.titleEnabled == false ? 0 : Math.min(18, Math.max(h - 12, 0));
    var barH = Math.max(h - titleH - 2, 4);
    var f = kvRangeFraction(this, this.mv);
    var bar = this.kvClip("kvBar");
    kvRect(bar, 0, titleH, w - 1, barH, this.backgroundColor == undefined ? 0xFFFFFF : this.backgroundColor,
           this.borderColor);
    this.kvFillW = Math.round(f * (w - 3) * 100) / 100;
    if (this.kvFillW > 0)
        kvRect(bar, 1, titleH + 1, this.kvFillW, barH - 2,
               this.kvAlertFill(this.mv, this.useCustomColor == true ? this.customColor : this.fillColor), undefined);
    this.kvText("kvTitle", 0, 0, w * 0.6, titleH, titleH > 0 ? this.title : "", this.titleTextFormat, "left");
    this.kvText("kvValue", w * 0.6, 0, w * 0.4, titleH, kvShowNumber(kvNumber(this.mv, 0), this.formatValue),
                this.kvAlertText(this.mv, this.valueTextFormat), "right");
});

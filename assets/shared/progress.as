// The progress bars: a frame filled in proportion to "mv" between "minValue" and "maxValue", in
// its alert colour when alerts are on. The horizontal bar fills from the left under its title
// and value (the filled width in kvFillW); the vertical one fills upwards between its title
// above and its value below (the filled height in kvFillH).
#include "shared/component.as"

if (_global.kvDrawProgressBar == undefined) {
    _global.kvDrawProgressBar = function (vertical) {
        var w = this.kvW, h = this.kvH;
        vertical = this.kvUpright(vertical);
        this.kvInitialLimits();
        var f = kvRangeFraction(this, this.mv);
        var fill = this.kvAlertFill(this.mv, this.useCustomColor == true ? this.customColor : this.fillColor);
        var back = this.backgroundColor == undefined ? 0xFFFFFF : this.backgroundColor;
        var value = kvShowNumber(kvNumber(this.mv, 0), this.formatValue);
        var bar = this.kvClip("kvBar");
        if (vertical) {
            // A line of text needs 18 pixels above and below; the bar keeps at least 10.
            var textH = Math.min(18, Math.max(Math.floor((h - 10) / 2), 0));
            var titleH = this.titleEnabled == false ? 0 : textH;
            var barH = Math.max(h - titleH - textH - 2, 4);
            kvRect(bar, 0, titleH, w - 1, barH, back, this.borderColor);
            this.kvFillH = Math.round(f * (barH - 2) * 100) / 100;
            if (this.kvFillH > 0)
                kvRect(bar, 1, titleH + barH - 1 - this.kvFillH, w - 3, this.kvFillH, fill, undefined);
            this.kvAlertStrip(bar, w - 5, titleH + barH - 1, w - 5, titleH + 1, 3);
            this.kvText("kvTitle", 0, 0, w, titleH, titleH > 0 ? this.title : "", this.titleTextFormat, "center");
            this.kvText("kvValue", 0, titleH + barH + 1, w, textH, value, this.kvAlertText(this.mv, this.valueTextFormat), "center");
            return;
        }
        var titleH = this.titleEnabled == false ? 0 : Math.min(18, Math.max(h - 12, 0));
        var barH = Math.max(h - titleH - 2, 4);
        kvRect(bar, 0, titleH, w - 1, barH, back, this.borderColor);
        this.kvFillW = Math.round(f * (w - 3) * 100) / 100;
        if (this.kvFillW > 0)
            kvRect(bar, 1, titleH + 1, this.kvFillW, barH - 2, fill, undefined);
        this.kvAlertStrip(bar, 1, titleH + barH - 4, w - 2, titleH + barH - 4, 3);
        this.kvText("kvTitle", 0, 0, w * 0.6, titleH, titleH > 0 ? this.title : "", this.titleTextFormat, "left");
        this.kvText("kvValue", w * 0.6, 0, w * 0.4, titleH, value, this.kvAlertText(this.mv, this.valueTextFormat), "right");
    };
}

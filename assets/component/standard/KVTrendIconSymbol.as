// Trend icon: an arrow up when the bound value ("mv") rose at its last change, down when it
// fell, and a level bar before any change ("upColor", "downColor", "levelColor"); a
// recalculation that leaves the value as it was keeps the arrow. The direction stays in kvTrend
// (1, -1 or 0); the background takes "customColor" with "useCustomColor".
#include "shared/component.as"

var trend = kvDefineComponent("KVTrendIconSymbol", 40, 40, function () {
    var w = this.kvW, h = this.kvH;
    var v = Number(this.mv);
    if (this.kvTrend == undefined)
        this.kvTrend = 0;
    // A value that is no number shows no trend and is not remembered.
    if (isNaN(v) || this.mv === "" || this.mv == undefined) {
        this.kvTrend = 0;
    } else {
        if (this.kvLast != undefined && v != this.kvLast)
            this.kvTrend = v > this.kvLast ? 1 : -1;
        this.kvLast = v;
    }
    var icon = this.kvClip("kvIcon");
    kvRect(icon, 0, 0, w - 1, h - 1, this.useCustomColor == true ? this.customColor : 0xFFFFFF,
           this.borderColor == undefined ? 0xCCCCCC : this.borderColor);
    var cx = w / 2, m = Math.min(w, h) * 0.2;
    icon.lineStyle();
    if (this.kvTrend == 0) {
        icon.beginFill(this.levelColor == undefined ? 0x999999 : this.levelColor, 100);
        icon.moveTo(m, h / 2 - m / 2);
        icon.lineTo(w - m, h / 2 - m / 2);
        icon.lineTo(w - m, h / 2 + m / 2);
        icon.lineTo(m, h / 2 + m / 2);
        icon.endFill();
        return;
    }
    var up = this.kvTrend > 0;
    icon.beginFill(up ? (this.upColor == undefined ? 0x339933 : this.upColor)
                      : (this.downColor == undefined ? 0xCC3333 : this.downColor), 100);
    var tip = up ? m : h - m, base = up ? h - m : m, mid = h / 2;
    icon.moveTo(cx, tip);
    icon.lineTo(w - m, mid);
    icon.lineTo(cx + m / 2, mid);
    icon.lineTo(cx + m / 2, base);
    icon.lineTo(cx - m / 2, base);
    icon.lineTo(cx - m / 2, mid);
    icon.lineTo(m, mid);
    icon.lineTo(cx, tip);
    icon.endFill();
});
trend.kvWatch = ["mv"];
// The class keeps what it needs: the variable would hide a placed clip of the same name.
delete trend;

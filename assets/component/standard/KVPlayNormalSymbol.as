// Play control: plays its value ("mv") from "minValue" to "maxValue" in steps of "incSize" on
// a timer (shared/play.as), writing each value into its cell; the title and the value in its
// number format stand over the play bar.
#include "shared/play.as"

var control = kvDefineComponent("KVPlayNormalSymbol", 200, 50, function () {
    var w = this.kvW, h = this.kvH;
    var labelH = Math.min(18, Math.max(h - 24, 0));
    var back = this.kvClip("kvBack");
    kvRect(back, 0, 0, w - 1, h - 1, this.backgroundColor == undefined ? 0xFFFFFF : this.backgroundColor, this.borderColor);
    // The value set elsewhere (another input on the same cell) moves the play to it.
    if (this.kvPlaying != true)
        this.kvPlayAt = this.kvPlayIndexOf(this.mv);
    this.kvPlayDraw(2, labelH, w - 4, h - labelH - 2);
    this.kvText("kvTitle", 4, 1, (w - 8) * 0.6, labelH, labelH > 0 && this.titleEnabled != false ? this.title : "",
                this.titleTextFormat, "left");
    this.kvText("kvValue", 4 + (w - 8) * 0.6, 1, (w - 8) * 0.4, labelH, labelH > 0 ? kvShowNumber(this.mv, this.formatValue) : "",
                this.valueTextFormat, "right");
});
control.kvWatch = ["mv", "title"];
kvPlayDefine(control);

control.kvPlayStep = function () {
    var step = Math.abs(kvNumber(this.incSize, 1));
    return step > 0 ? step : 1;
};

control.kvPlayCount = function () {
    var lo = kvNumber(this.minValue, 0), hi = kvNumber(this.maxValue, 100);
    return hi > lo ? Math.floor((hi - lo) / this.kvPlayStep() + 1e-9) + 1 : 1;
};

control.kvPlayIndexOf = function (v) {
    var n = Number(v);
    if (isNaN(n))
        return 0;
    var i = Math.round((n - kvNumber(this.minValue, 0)) / this.kvPlayStep());
    return Math.min(Math.max(i, 0), this.kvPlayCount() - 1);
};

control.kvPlayPut = function (i) {
    var v = kvNumber(this.minValue, 0) + i * this.kvPlayStep();
    this.mv = Math.round(v * 1e9) / 1e9;
};
// The class keeps what it needs: the variable would hide a placed clip of the same name.
delete control;

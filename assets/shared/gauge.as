// The round single-value components (gauge and dial): an arc from "minAngle" to "maxAngle"
// (degrees clockwise from straight up) carrying "numTicks" labelled ticks between "minValue" and
// "maxValue", and a needle at "mv"; alerts colour the face and the value. The needle's angle
// stays in kvNeedleAngle.
#include "shared/component.as"

if (_global.kvDrawGauge == undefined) {
    _global.kvGaugeAngle = function (clip, v) {
        var a0 = kvNumber(clip.minAngle, -135), a1 = kvNumber(clip.maxAngle, 135);
        return a0 + kvRangeFraction(clip, v) * (a1 - a0);
    };


    _global.kvDrawGauge = function () {
        var w = this.kvW, h = this.kvH;
        this.kvInitialLimits();
        var titleH = this.titleEnabled == false ? 0 : this.kvTitleHeight(this.title, this.titleTextFormat, 18);
        var valueH = 20;
        var r = Math.max(Math.min(w / 2, (h - titleH - valueH) / 2) - 4, 8);
        var cx = w / 2, cy = titleH + 4 + r;
        this.kvCentre = [cx, cy];
        this.kvRadius = r;
        var face = this.kvClip("kvFace");
        var fill = this.kvAlertFill(this.mv, this.useCustomColor == true ? this.customColor : this.fillColor);
        face.lineStyle(0, this.borderColor == undefined ? 0x666666 : this.borderColor, 100);
        face.beginFill(fill == undefined ? 0xFFFFFF : fill, 100);
        kvCircle(face, cx, cy, r);
        face.endFill();
        var lo = kvNumber(this.minValue, 0), hi = kvNumber(this.maxValue, 100);
        var a0 = kvNumber(this.minAngle, -135), a1 = kvNumber(this.maxAngle, 135);
        var ticks = Math.max(kvNumber(this.numTicks, 5), 1), sub = Math.max(kvNumber(this.numSubTicks, 0), 0);
        if (this.ticksEnabled != false) {
            face.lineStyle(0, this.tickColor == undefined ? 0x666666 : this.tickColor, 100);
            var steps = ticks * (sub + 1);
            for (var t = 0; t <= steps; t++) {
                var a = a0 + (a1 - a0) * t / steps;
                var major = t % (sub + 1) == 0;
                var p = kvPolar(cx, cy, r - 2, a), q = kvPolar(cx, cy, r - (major ? 9 : 5), a);
                face.moveTo(p[0], p[1]);
                face.lineTo(q[0], q[1]);
            }
        }
        for (var m = 0; m <= ticks; m++) {
            var am = a0 + (a1 - a0) * m / ticks;
            var pl = kvPolar(cx, cy, r - 20, am);
            this.kvText("kvTick" + m, pl[0] - 20, pl[1] - 8, 40, 16, kvShowNumber(lo + (hi - lo) * m / ticks,
                        this.formatValue), this.minMaxTextFormat, "center");
        }
        this.kvClearTexts("kvTick", ticks + 1);
        var needle = this.kvClip("kvNeedle");
        needle._x = cx;
        needle._y = cy;
        needle.lineStyle(0, 0x990000, 100);
        needle.beginFill(this.needleColor == undefined ? 0xCC0000 : this.needleColor, 100);
        needle.moveTo(-3, 0);
        needle.lineTo(0, -(r - 6));
        needle.lineTo(3, 0);
        needle.lineTo(-3, 0);
        needle.endFill();
        this.kvNeedleAngle = kvGaugeAngle(this, this.mv);
        needle._rotation = this.kvNeedleAngle;
        this.kvText("kvTitle", 0, 0, w, titleH, titleH > 0 ? this.title : "", this.titleTextFormat, "center");
        this.kvText("kvValue", 0, h - valueH, w, valueH, kvShowNumber(kvNumber(this.mv, 0), this.formatValue),
                    this.kvAlertText(this.mv, this.valueTextFormat), "center");
    };
}

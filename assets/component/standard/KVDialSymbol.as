// Dial: a gauge the user turns. Pressing the face and moving the mouse turns the needle, around
// the centre ("mouseTracking" "radial") or by moving up and down ("vertical", "sensitivity"
// pixels a step); the value goes into its cell on release.
#include "shared/gauge.as"

var dial = kvDefineComponent("KVDialSymbol", 160, 180, function () {
    this.kvDrawGauge();
    // What makes it a dial: a raised knob on the centre, ridged round its rim so it looks like
    // something to turn, with a grip at the needle's tip; both turn with the value.
    var r = this.kvRadius, knobR = Math.max(r * 0.32, 6);
    var knob = this.kvClip("kvKnob");
    knob._x = this.kvCentre[0];
    knob._y = this.kvCentre[1];
    knob.lineStyle(0, 0x555555, 100);
    knob.beginFill(0xB8B8B8, 100);
    kvCircle(knob, 1, 1, knobR);
    knob.endFill();
    knob.lineStyle(0, 0x777777, 100);
    knob.beginFill(0xE4E4E4, 100);
    kvCircle(knob, 0, 0, knobR);
    knob.endFill();
    knob.lineStyle(0, 0x8A8A8A, 100);
    for (var i = 0; i < 16; i++) {
        var rim = kvPolar(0, 0, knobR - 1, i * 22.5), inner = kvPolar(0, 0, knobR * 0.78, i * 22.5);
        knob.moveTo(rim[0], rim[1]);
        knob.lineTo(inner[0], inner[1]);
    }
    knob.lineStyle(2, this.needleColor == undefined ? 0xCC0000 : this.needleColor, 100);
    knob.moveTo(0, -knobR * 0.2);
    knob.lineTo(0, -knobR * 0.7);
    var tip = Math.max(r - 10, knobR + 4);
    knob.lineStyle(0, 0x555555, 100);
    knob.beginFill(0xE4E4E4, 100);
    kvCircle(knob, 0, -tip, Math.max(r * 0.07, 3));
    knob.endFill();
    knob._rotation = this.kvNeedleAngle;
    var owner = this;
    this.kvFace.onPress = knob.onPress = function () { owner.kvTurnFrom(); };
    this.kvFace.onRelease = this.kvFace.onReleaseOutside = knob.onRelease = knob.onReleaseOutside = function () {
        owner.kvTurnEnd();
    };
});
dial.kvDrawGauge = kvDrawGauge;

dial.kvValueAtMouse = function () {
    var lo = kvNumber(this.minValue, 0), hi = kvNumber(this.maxValue, 100);
    var a0 = kvNumber(this.minAngle, -135), a1 = kvNumber(this.maxAngle, 135);
    var v;
    if (this.mouseTracking == "vertical") {
        var per = Math.max(kvNumber(this.sensitivity, 5), 1);
        v = this.kvStartValue + (this.kvStartY - this._ymouse) / per * Math.max(kvNumber(this.incSize, 1), 0);
    } else {
        var a = Math.atan2(this._xmouse - this.kvCentre[0], this.kvCentre[1] - this._ymouse) * 180 / Math.PI;
        v = lo + (a - a0) / (a1 - a0) * (hi - lo);
    }
    return kvSnapValue(this, v, lo, hi);
};

dial.kvTurnFrom = function () {
    this.kvTurning = true;
    this.kvStartY = this._ymouse;
    this.kvStartValue = kvNumber(this.mv, 0);
    this.onMouseMove = function () {
        this.mv = this.kvValueAtMouse();
        this.kvNeedleAngle = kvGaugeAngle(this, this.mv);
        this.kvNeedle._rotation = this.kvKnob._rotation = this.kvNeedleAngle;
        this.kvValue.text = kvShowNumber(this.mv, this.formatValue);
        this.kvValue.setTextFormat(kvTextFormat(this.valueTextFormat, "center"));
        updateAfterEvent();
    };
    if (this.mouseTracking != "vertical")
        this.onMouseMove();
};

dial.kvTurnEnd = function () {
    if (!this.kvTurning)
        return;
    this.kvTurning = false;
    // Where the mouse is let go counts, though no move since the last one reached the dial.
    if (this.mouseTracking != "vertical")
        this.mv = this.kvValueAtMouse();
    this.onMouseMove = undefined;
    this.mc();
    this.kvCommit();
};
// The class keeps what it needs: the variable would hide a placed clip of the same name.
delete dial;

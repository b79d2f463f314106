// Dial: a gauge the user turns. Pressing the face and moving the mouse turns the needle, around
// the centre ("mouseTracking" "radial") or by moving up and down ("vertical", "sensitivity"
// pixels a step); the value goes into its cell on release.
#include "shared/gauge.as"

var dial = kvDefineComponent("KVDialSymbol", 160, 180, function () {
    this.kvDrawGauge();
    var owner = this;
    this.kvFace.onPress = function () { owner.kvTurnFrom(); };
    this.kvFace.onRelease = this.kvFace.onReleaseOutside = function () { owner.kvTurnEnd(); };
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
        this.kvNeedle._rotation = this.kvNeedleAngle;
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

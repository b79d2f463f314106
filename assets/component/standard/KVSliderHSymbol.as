// Horizontal slider: a track between "minValue" and "maxValue" with a thumb the user drags or a
// click on the track moves; the value ("mv") snaps to "incSize" steps when "snapEnabled" and
// goes into its cell when the thumb is released.
#include "shared/component.as"

var slider = kvDefineComponent("KVSliderHSymbol", 200, 50, function () {
    var w = this.kvW, h = this.kvH;
    var titleH = this.titleEnabled == false ? 0 : Math.min(Math.round(h * 0.32), 18);
    this.kvTrackX = 8;
    this.kvTrackW = Math.max(w - 16, 1);
    this.kvTrackY = titleH + 8;
    var track = this.kvClip("kvTrack");
    // A wider band under the track takes the clicks.
    kvRect(track, 0, this.kvTrackY - 8, w, 16, this.backgroundColor == undefined ? 0xFFFFFF : this.backgroundColor,
           undefined);
    kvRect(track, this.kvTrackX, this.kvTrackY - 2, this.kvTrackW, 4, this.fillColor, this.borderColor);
    var owner = this;
    track.onPress = function () { owner.kvDragFrom(); };
    track.onRelease = track.onReleaseOutside = function () { owner.kvDragEnd(); };
    track.useHandCursor = false;

    var thumb = this.kvClip("kvThumb");
    kvRect(thumb, -5, -8, 10, 16, this.thumbColor == undefined ? 0x999999 : this.thumbColor, 0x333333);
    thumb.onPress = function () { owner.kvDragFrom(); };
    thumb.onRelease = thumb.onReleaseOutside = function () { owner.kvDragEnd(); };
    this.kvPlaceThumb();
    this.kvText("kvTitle", 0, 0, w, titleH, titleH > 0 ? this.title : "", this.titleTextFormat, "left");
    this.kvShowValue();
});

slider.kvLimits = function () {
    var lo = kvNumber(this.minValue, 0), hi = kvNumber(this.maxValue, 100);
    if (hi < lo) {
        var t = lo;
        lo = hi;
        hi = t;
    }
    return [lo, hi];
};

slider.kvPlaceThumb = function () {
    var limits = this.kvLimits();
    var v = Math.min(Math.max(kvNumber(this.mv, limits[0]), limits[0]), limits[1]);
    var f = limits[1] > limits[0] ? (v - limits[0]) / (limits[1] - limits[0]) : 0;
    this.kvThumb._x = this.kvTrackX + f * this.kvTrackW;
    this.kvThumb._y = this.kvTrackY;
};

slider.kvShowValue = function () {
    this.kvText("kvValue", 0, this.kvTrackY + 8, this.kvW, Math.max(this.kvH - this.kvTrackY - 8, 16),
                kvFormatNumber(kvNumber(this.mv, 0), this.formatValue), this.valueTextFormat, "center");
};

// The value at the mouse's position along the track, snapped and kept within the limits.
slider.kvValueAtMouse = function () {
    var limits = this.kvLimits();
    var f = (this._xmouse - this.kvTrackX) / this.kvTrackW;
    f = Math.min(Math.max(f, 0), 1);
    var v = limits[0] + f * (limits[1] - limits[0]);
    var step = kvNumber(this.incSize, 0);
    if (this.snapEnabled != false && step > 0)
        v = limits[0] + Math.round((v - limits[0]) / step) * step;
    // Steps like 0.1 add binary noise; keep what the step can express.
    v = Math.round(v * 1e9) / 1e9;
    return Math.min(Math.max(v, limits[0]), limits[1]);
};

slider.kvDragFrom = function () {
    this.kvDragging = true;
    this.kvFollow();
    this.onMouseMove = function () {
        this.kvFollow();
        updateAfterEvent();
    };
};

slider.kvFollow = function () {
    this.mv = this.kvValueAtMouse();
    this.kvPlaceThumb();
    this.kvShowValue();
};

slider.kvDragEnd = function () {
    if (!this.kvDragging)
        return;
    this.kvDragging = false;
    this.onMouseMove = undefined;
    this.kvFollow();
    this.kvCommit();
};

// The sliders: a track between "minValue" and "maxValue" with a thumb the user drags or a
// click on the track moves; the value ("mv") snaps to "incSize" steps when "snapEnabled" and
// goes into its cell when the thumb is released. Horizontal sliders grow to the right, vertical
// ones upwards. Alerts colour the track and the value.
#include "shared/component.as"

if (_global.kvDefineSlider == undefined) {
    _global.kvDefineSlider = function (symbol, w, h, vertical) {
        var slider = kvDefineComponent(symbol, w, h, kvSliderDraw);
        slider.kvSymbolUpright = vertical;
        slider.kvLimits = kvSliderLimits;
        slider.kvPlaceThumb = kvSliderPlaceThumb;
        slider.kvShowValue = kvSliderShowValue;
        slider.kvValueAtMouse = kvSliderValueAtMouse;
        slider.kvDragFrom = kvSliderDragFrom;
        slider.kvFollow = kvSliderFollow;
        slider.kvDragEnd = kvSliderDragEnd;
        return slider;
    };

    _global.kvSliderDraw = function () {
        var w = this.kvW, h = this.kvH;
        this.kvVertical = this.kvUpright(this.kvSymbolUpright);
        this.kvInitialLimits();
        // The title row holds whole letters; the track runs below it.
        var titleH = this.titleEnabled == false ? 0
                   : this.kvTitleHeight(this.title, this.titleTextFormat, Math.min(Math.round(h * 0.32), 18));
        if (this.kvVertical) {
            // A vertical slider is narrow: its title may take two lines.
            titleH = this.titleEnabled == false ? 0 : this.kvTitleHeight(this.title, this.titleTextFormat, 34, 2);
            // The track runs from the bottom (minimum) to the top, the value below it.
            this.kvTrackStart = h - 26;
            this.kvTrackLength = Math.max(h - 26 - titleH - 8, 1);
            this.kvTrackAcross = Math.round(w / 2);
        } else {
            this.kvTrackStart = 8;
            this.kvTrackLength = Math.max(w - 16, 1);
            // The thumb's top edge may cover the title's empty bottom gutter, never its letters.
            this.kvTrackAcross = titleH + 6;
        }
        var track = this.kvClip("kvTrack");
        var back = this.backgroundColor == undefined ? 0xFFFFFF : this.backgroundColor;
        var a = this.kvTrackAcross, s = this.kvTrackStart, l = this.kvTrackLength;
        var fill = this.kvAlertFill(this.mv, this.fillColor);
        // A wider band under the track takes the clicks.
        if (this.kvVertical) {
            kvRect(track, a - 8, s - l, 16, l, back, undefined);
            kvRect(track, a - 2, s - l, 4, l, fill, this.borderColor);
            this.kvAlertStrip(track, a + 4, s, a + 4, s - l, 3);
        } else {
            kvRect(track, 0, a - 8, w, 16, back, undefined);
            kvRect(track, s, a - 2, l, 4, fill, this.borderColor);
            this.kvAlertStrip(track, s, a + 4, s + l, a + 4, 3);
        }
        var owner = this;
        track.onPress = function () { owner.kvDragFrom(); };
        track.onRelease = track.onReleaseOutside = function () { owner.kvDragEnd(); };
        track.useHandCursor = false;

        var thumb = this.kvClip("kvThumb");
        var color = this.thumbColor == undefined ? 0x999999 : this.thumbColor;
        if (this.kvVertical)
            kvRect(thumb, -8, -5, 16, 10, color, 0x333333);
        else
            kvRect(thumb, -5, -8, 10, 16, color, 0x333333);
        thumb.onPress = function () { owner.kvDragFrom(); };
        thumb.onRelease = thumb.onReleaseOutside = function () { owner.kvDragEnd(); };
        this.kvPlaceThumb();
        var title = this.kvText("kvTitle", 0, 0, w, titleH, titleH > 0 ? this.title : "",
                                this.titleTextFormat, this.kvVertical ? "center" : "left");
        title.multiline = title.wordWrap = this.kvVertical == true;
        this.kvShowValue();
    };

    _global.kvSliderLimits = function () {
        var lo = kvNumber(this.minValue, 0), hi = kvNumber(this.maxValue, 100);
        if (hi < lo) {
            var t = lo;
            lo = hi;
            hi = t;
        }
        return [lo, hi];
    };

    _global.kvSliderPlaceThumb = function () {
        var limits = this.kvLimits();
        var v = Math.min(Math.max(kvNumber(this.mv, limits[0]), limits[0]), limits[1]);
        var f = limits[1] > limits[0] ? (v - limits[0]) / (limits[1] - limits[0]) : 0;
        if (this.kvVertical) {
            this.kvThumb._x = this.kvTrackAcross;
            this.kvThumb._y = this.kvTrackStart - f * this.kvTrackLength;
        } else {
            this.kvThumb._x = this.kvTrackStart + f * this.kvTrackLength;
            this.kvThumb._y = this.kvTrackAcross;
        }
    };

    _global.kvSliderShowValue = function () {
        var text = kvShowNumber(kvNumber(this.mv, 0), this.formatValue);
        var format = this.kvAlertText(this.mv, this.valueTextFormat);
        if (this.kvVertical)
            this.kvText("kvValue", 0, this.kvH - 20, this.kvW, 20, text, format, "center");
        else
            this.kvText("kvValue", 0, this.kvTrackAcross + 6, this.kvW, Math.max(this.kvH - this.kvTrackAcross - 6, 16),
                        text, format, "center");
    };

    // The value at the mouse's position along the track, snapped and kept within the limits.
    _global.kvSliderValueAtMouse = function () {
        var limits = this.kvLimits();
        var f = this.kvVertical ? (this.kvTrackStart - this._ymouse) / this.kvTrackLength
                                : (this._xmouse - this.kvTrackStart) / this.kvTrackLength;
        f = Math.min(Math.max(f, 0), 1);
        return kvSnapValue(this, limits[0] + f * (limits[1] - limits[0]), limits[0], limits[1]);
    };

    _global.kvSliderDragFrom = function () {
        this.kvDragging = true;
        this.kvFollow();
        this.onMouseMove = function () {
            this.kvFollow();
            updateAfterEvent();
        };
    };

    _global.kvSliderFollow = function () {
        this.mv = this.kvValueAtMouse();
        this.kvPlaceThumb();
        this.kvShowValue();
    };

    _global.kvSliderDragEnd = function () {
        if (!this.kvDragging)
            return;
        this.kvDragging = false;
        this.onMouseMove = undefined;
        this.kvFollow();
        this.kvCommit();
    };
}

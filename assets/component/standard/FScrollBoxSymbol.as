// The scroll box every published movie carries: a box whose content clip "content" scrolls
// vertically with a bar at its right when it is taller than the box.
#include "shared/component.as"

var box = kvDefineComponent("FScrollBoxSymbol", 100, 100, function () {
    var w = this.kvW, h = this.kvH;
    var frame = this.kvClip("kvFrame");
    kvRect(frame, 0, 0, w - 1, h - 1, undefined, 0x999999);
    var content = this.content;
    if (content == undefined)
        return;
    var bar = this.kvClip("kvBar");
    var overflow = content._height - h;
    if (overflow <= 0) {
        content._y = 0;
        return;
    }
    var knobH = Math.max(Math.round(h * h / content._height), 10);
    kvRect(bar, w - 12, 0, 11, h - 1, 0xEEEEEE, 0x999999);
    var knob = this.kvClip("kvKnob");
    kvRect(knob, w - 11, 0, 9, knobH, 0xBBBBBB, undefined);
    knob.onPress = function () {
        this.startDrag(false, 0, 0, 0, h - knobH);
        this.onMouseMove = function () { content._y = -overflow * this._y / (h - knobH); };
    };
    knob.onRelease = knob.onReleaseOutside = function () {
        this.stopDrag();
        this.onMouseMove = undefined;
    };
});

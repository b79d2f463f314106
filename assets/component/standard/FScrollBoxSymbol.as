// The scroll box every published movie carries: a box whose content clip "content" scrolls
// vertically with a bar at its right when it is taller than the box. Its owner places "content"
// at depth 0, under the box's frame and bar; only the part inside the box shows.
#include "shared/component.as"

var box = kvDefineComponent("FScrollBoxSymbol", 100, 100, function () {
    var w = this.kvW, h = this.kvH;
    var frame = this.kvClip("kvFrame");
    kvRect(frame, 0, 0, w - 1, h - 1, undefined, 0x999999);
    var bar = this.kvClip("kvBar");
    var knob = this.kvClip("kvKnob");
    var content = this.content;
    if (content == undefined)
        return;
    var mask = this.kvClip("kvMask");
    kvRect(mask, 0, 0, w, h, 0x000000, undefined);
    content.setMask(mask);
    var overflow = content._height - h;
    if (overflow <= 0) {
        content._y = 0;
        return;
    }
    var knobH = Math.max(Math.round(h * h / content._height), 10);
    kvRect(bar, w - 12, 0, 11, h - 1, 0xEEEEEE, 0x999999);
    kvRect(knob, w - 11, 0, 9, knobH, 0xBBBBBB, undefined);
    // Content that grew or shrank since the last drawing keeps the knob on the bar.
    knob._y = Math.min(knob._y, h - knobH);
    // The player may move a dragged clip after its mouse handlers ran: the content follows the
    // knob once more when it is let go.
    var follow = function () { content._y = -overflow * knob._y / (h - knobH); };
    knob.onPress = function () {
        this.startDrag(false, 0, 0, 0, h - knobH);
        this.onMouseMove = follow;
    };
    knob.onRelease = knob.onReleaseOutside = function () {
        this.stopDrag();
        this.onMouseMove = undefined;
        follow();
    };
    follow();
});
// The class keeps what it needs: the variable would hide a placed clip of the same name.
delete box;

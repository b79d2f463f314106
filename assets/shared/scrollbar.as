// Scroll bars of a text field of a component: one at the right while "vScrollBarBehavior" is
// "enabled", or "autoHide" and the text is longer than the field; one along the bottom by
// "hScrollBarBehavior" the same way for text wider than the field (which then does not wrap).
// Their knobs follow the field's scroll, a press on a track pages, and "useCustomScrollBarColor"
// paints the knobs in "customScrollBarColor". kvScrollBar and kvHScrollBar keep each bar's
// [x, y, w, h], or nothing while it is hidden.
#include "shared/component.as"

if (_global.kvScrollBars == undefined) {
    _global.kvScrollShown = function (how, longer) {
        return how == "enabled" || (how == "autoHide" && longer);
    };

    // Sizes the field to leave room for its bars and draws them; gives [right bar, bottom bar]
    // widths.
    _global.kvScrollBars = function (clip, field, w, h) {
        var size = 12;
        // Wrapped text never runs wider than the field: a horizontal bar needs it unwrapped.
        var across = clip.hScrollBarBehavior == "enabled" || clip.hScrollBarBehavior == "autoHide";
        if (across)
            field.wordWrap = false;
        var right = kvScrollShown(clip.vScrollBarBehavior, field.maxscroll > 1) ? size : 0;
        var bottom = across && kvScrollShown(clip.hScrollBarBehavior, field.maxhscroll > 0) ? size : 0;
        field._width = w - right;
        field._height = h - bottom;
        var colour = clip.useCustomScrollBarColor == true && clip.customScrollBarColor != undefined
                     ? clip.customScrollBarColor : 0xCCCCCC;
        var owner = clip;
        var vertical = clip.kvClip("kvScroll");
        clip.kvScrollBar = undefined;
        if (right > 0) {
            var x = w - right, barH = h - bottom;
            clip.kvScrollBar = [x, 0, right, barH];
            kvRect(vertical, x, 0, right - 1, barH - 1, 0xF2F2F2, 0x999999);
            var lines = field.maxscroll + field.bottomScroll - field.scroll;
            var shown = field.bottomScroll - field.scroll + 1;
            var knobH = Math.max(barH * shown / Math.max(lines, 1), 10);
            var knobY = field.maxscroll > 1 ? (field.scroll - 1) / (field.maxscroll - 1) * (barH - knobH) : 0;
            kvRect(vertical, x + 2, knobY + 1, right - 5, knobH - 2, colour, undefined);
            vertical.onPress = function () {
                var page = Math.max(field.bottomScroll - field.scroll, 1);
                field.scroll = this._ymouse < knobY + knobH / 2 ? field.scroll - page : field.scroll + page;
                owner.kvDrawScrollBar();
            };
        } else {
            delete vertical.onPress;
        }
        var horizontal = clip.kvClip("kvHScroll");
        clip.kvHScrollBar = undefined;
        if (bottom > 0) {
            var y = h - bottom, barW = w - right;
            clip.kvHScrollBar = [0, y, barW, bottom];
            kvRect(horizontal, 0, y, barW - 1, bottom - 1, 0xF2F2F2, 0x999999);
            var wide = field.maxhscroll + field._width;
            var knobW = Math.max(barW * field._width / Math.max(wide, 1), 10);
            var knobX = field.maxhscroll > 0 ? field.hscroll / field.maxhscroll * (barW - knobW) : 0;
            kvRect(horizontal, knobX + 1, y + 2, knobW - 2, bottom - 5, colour, undefined);
            horizontal.onPress = function () {
                var step = Math.max(field._width - 20, 10);
                field.hscroll = this._xmouse < knobX + knobW / 2 ? Math.max(field.hscroll - step, 0)
                                                               : Math.min(field.hscroll + step, field.maxhscroll);
                owner.kvDrawScrollBar();
            };
        } else {
            delete horizontal.onPress;
        }
        return [right, bottom];
    };
}

// A raised button face that the button-like components share (URL button, play controls,
// alert button, scenario and login buttons): a filled box with a light edge at the top left,
// which turns dark while the button is held down.
#include "shared/component.as"

if (_global.kvButtonFace == undefined) {
    _global.kvButtonFace = function (clip, x, y, w, h, fill, border, down) {
        kvRect(clip, x, y, w - 1, h - 1, fill == undefined ? 0xF4F4F4 : fill, border == undefined ? 0x666666 : border);
        clip.lineStyle(0, down ? 0x888888 : 0xFFFFFF, 100);
        clip.moveTo(x + 1, y + h - 2);
        clip.lineTo(x + 1, y + 1);
        clip.lineTo(x + w - 2, y + 1);
    };

    // Makes a drawn part act as a button: it shows pressed while held (kvHeld names the part)
    // and calls action with the component when released over it.
    _global.kvPressable = function (owner, part, name, action) {
        part.onPress = function () {
            owner.kvHeld = name;
            owner.mc();
        };
        part.onRelease = function () {
            owner.kvHeld = undefined;
            action(owner);
            owner.mc();
        };
        part.onReleaseOutside = function () {
            owner.kvHeld = undefined;
            owner.mc();
        };
    };
}

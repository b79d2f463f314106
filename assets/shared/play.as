// What the components that play through their items share (the play selector and the play
// control): a bar of buttons (to the first item with "ffwRewEnabled", previous and next with
// "prevNextEnabled", play and pause) and, with "sliderEnabled", a track with a thumb at the
// item shown; a click on the track goes to the nearest item. While playing, the next item
// comes every "playTime" / (items - 1) seconds, so one play from the first item to the last
// takes "playTime" seconds; one step after the last item the play stops (back to the first with
// "autoRewind"), or goes on from the first with "autoReplay".
//
// A component offers kvPlayCount() (how many items) and kvPlayPut(i) (show item i and write it
// to its cells); kvPlayAt is the item shown, kvPlaying whether it plays, and kvPlayParts the
// rectangles of the bar's parts by name ("first", "prev", "play", "next", "last", "track") for
// whoever needs to find them.
#include "shared/button.as"

if (_global.kvPlayDefine == undefined) {
    _global.kvPlayDefine = function (p) {
        // Draws the bar in the rectangle x, y, w, h of the component.
        p.kvPlayDraw = function (x, y, w, h) {
            var n = this.kvPlayCount();
            if (this.kvPlayAt == undefined)
                this.kvPlayAt = Math.min(Math.max(kvNumber(this.selectIdx, 0), 0), Math.max(n - 1, 0));
            var names = ["play"];
            if (this.prevNextEnabled != false)
                names = ["prev", "play", "next"];
            if (this.ffwRewEnabled == true)
                names = ["first"].concat(names, ["last"]);
            var bar = this.kvClip("kvPlayBar");
            var size = Math.min(h, 24), top = y + (h - size) / 2;
            this.kvPlayParts = {};
            var owner = this;
            for (var i = 0; i < names.length; i++) {
                var name = names[i], part = this.kvClip("kvPlay_" + name);
                var bx = x + i * (size + 2);
                kvButtonFace(part, bx, top, size, size, this.useCustomColor == true ? this.customColor : this.fillColor,
                             this.borderColor, this.kvHeld == name);
                kvPlayGlyph(part, name == "play" && this.kvPlaying == true ? "pause" : name, bx, top, size,
                            this.buttonColor == undefined ? 0x333333 : this.buttonColor);
                this.kvPlayParts[name] = [bx, top, size, size];
                kvPressable(this, part, name, kvPlayAction(name));
            }
            var left = x + names.length * (size + 2) + 4, trackW = x + w - left - 6;
            var track = this.kvClip("kvPlayTrack");
            if (this.sliderEnabled != false && trackW > 10) {
                var ty = y + h / 2;
                kvRect(track, left, ty - 6, trackW + 6, 12, 0xFFFFFF, 0xFFFFFF);
                track._alpha = 100;
                kvRect(track, left, ty - 2, trackW + 6, 4, 0xDDDDDD, this.borderColor);
                var at = n > 1 ? this.kvPlayAt / (n - 1) : 0;
                track.beginFill(this.thumbColor == undefined ? 0x666666 : this.thumbColor, 100);
                track.lineStyle();
                kvCircle(track, left + 3 + at * trackW, ty, 5);
                track.endFill();
                this.kvPlayParts.track = [left + 3, ty - 6, trackW, 12];
                track.onRelease = function () {
                    var k = owner.kvPlayCount();
                    var f = (owner._xmouse - left - 3) / trackW;
                    owner.kvPlayStop();
                    owner.kvPlayGo(Math.round(Math.min(Math.max(f, 0), 1) * (k - 1)));
                };
            }
        };

        p.kvPlayGo = function (i) {
            var n = this.kvPlayCount();
            if (n < 1)
                return;
            this.kvPlayAt = Math.min(Math.max(i, 0), n - 1);
            this.kvPlayPut(this.kvPlayAt);
            this.mc();
            this.kvCommit();
        };

        p.kvPlayStop = function () {
            this.kvPlaying = false;
        };

        p.kvPlayStart = function () {
            var n = this.kvPlayCount();
            if (n < 2)
                return;
            this.kvPlaying = true;
            this.kvPlayNext = getTimer() + this.kvPlayStepMs();
            // A play from the last item starts again from the first.
            if (this.kvPlayAt >= n - 1)
                this.kvPlayGo(0);
        };

        p.kvPlayStepMs = function () {
            var n = this.kvPlayCount();
            return Math.max(kvNumber(this.playTime, 5), 0.05) * 1000 / Math.max(n - 1, 1);
        };

        // One frame of the play: the next item when its time has come.
        p.kvPlayTick = function () {
            if (this.kvPlaying != true || getTimer() < this.kvPlayNext)
                return;
            var n = this.kvPlayCount();
            this.kvPlayNext += this.kvPlayStepMs();
            if (this.kvPlayAt < n - 1) {
                this.kvPlayGo(this.kvPlayAt + 1);
                return;
            }
            // The last item has shown for its step: start again, or stop.
            if (this.autoReplay == true) {
                this.kvPlayGo(0);
                return;
            }
            this.kvPlaying = false;
            if (this.autoRewind == true)
                this.kvPlayGo(0);
            else
                this.mc();
        };

        var frame = p.onEnterFrame;
        p.onEnterFrame = function () {
            this.kvPlayTick();
            frame.call(this);
        };
    };

    // What each button does.
    _global.kvPlayAction = function (name) {
        if (name == "play")
            return function (owner) {
                if (owner.kvPlaying == true)
                    owner.kvPlayStop();
                else
                    owner.kvPlayStart();
            };
        return function (owner) {
            var n = owner.kvPlayCount();
            owner.kvPlayStop();
            if (name == "first")
                owner.kvPlayGo(0);
            else if (name == "last")
                owner.kvPlayGo(n - 1);
            else if (name == "prev")
                owner.kvPlayGo(owner.kvPlayAt - 1);
            else
                owner.kvPlayGo(owner.kvPlayAt + 1);
        };
    };

    // The sign on a button of size s at x, y: a triangle to play, two bars to pause, a bar and a
    // triangle for previous and next, a bar and two triangles for the first and last item.
    _global.kvPlayGlyph = function (clip, name, x, y, s, colour) {
        var m = s * 0.28, t = s - 2 * m;
        clip.lineStyle();
        clip.beginFill(colour, 100);
        if (name == "pause") {
            kvRect(clip, x + m, y + m, t * 0.35, t, colour, undefined);
            kvRect(clip, x + s - m - t * 0.35, y + m, t * 0.35, t, colour, undefined);
        } else if (name == "play") {
            clip.moveTo(x + m, y + m);
            clip.lineTo(x + s - m, y + s / 2);
            clip.lineTo(x + m, y + s - m);
        } else {
            var back = name == "prev" || name == "first";
            var bar = back ? x + m : x + s - m - 2;
            kvRect(clip, bar, y + m, 2, t, colour, undefined);
            var from = back ? x + s - m : x + m, to = back ? x + m + 2 : x + s - m - 2;
            var end = name == "first" || name == "last" ? (from + to) / 2 : to;
            clip.beginFill(colour, 100);
            clip.moveTo(from, y + m);
            clip.lineTo(end, y + s / 2);
            clip.lineTo(from, y + s - m);
            if (end != to) {
                clip.moveTo((from + to) / 2, y + m);
                clip.lineTo(to, y + s / 2);
                clip.lineTo((from + to) / 2, y + s - m);
            }
        }
        clip.endFill();
    };
}

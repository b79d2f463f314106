// The art backgrounds: panels other components stand on, each with a look of its own while
// "artEnabled" is on; with the art off they draw the plain panel of the fill and border
// settings ("showFill", "backColor", "backTrans", "borderEnabled", "borderColor",
// "borderThickness", "borderTrans"), as the first background does. kvArt keeps the look drawn
// (0 for the plain panel).
#include "shared/component.as"

if (_global.kvDrawBackground == undefined) {
    _global.kvFilled = function (text) {
        return text != undefined && String(text) != "";
    };

    // The imported picture ("externalFile"): the symbol the publisher embedded ("clipName"), or
    // the copy beside the movie ("fileName") loaded when it plays; stretched over the component
    // once its size is known. Made again only when the picture changes; none removes it.
    _global.kvShowPicture = function (file) {
        var source = file == undefined ? "" : kvFilled(file.clipName) ? "clip:" + file.clipName : "file:" + file.fileName;
        if (this.kvPictureSource === source)
            return;
        this.kvPictureSource = source;
        this.kvPicture.removeMovieClip();
        this.kvPictureFit.removeMovieClip();
        if (source == "")
            return;
        if (kvFilled(file.clipName)) {
            this.attachMovie(file.clipName, "kvPicture", 9000);
        } else {
            this.createEmptyMovieClip("kvPicture", 9000);
            this.kvPicture.loadMovie(file.fileName);
        }
        var owner = this;
        this.createEmptyMovieClip("kvPictureFit", 9001);
        this.kvPictureFit.onEnterFrame = function () {
            var shown = owner.kvPicture;
            if (shown == undefined || !(shown._width > 0 && shown._height > 0))
                return;
            shown._xscale = shown._xscale * owner.kvW / shown._width;
            shown._yscale = shown._yscale * owner.kvH / shown._height;
            delete this.onEnterFrame;
        };
    };

    // A rectangle with corners rounded by r, inside the clip's current fill and line.
    _global.kvRoundRect = function (clip, x, y, w, h, r) {
        r = Math.max(Math.min(r, Math.min(w, h) / 2), 0);
        clip.moveTo(x + r, y);
        clip.lineTo(x + w - r, y);
        clip.curveTo(x + w, y, x + w, y + r);
        clip.lineTo(x + w, y + h - r);
        clip.curveTo(x + w, y + h, x + w - r, y + h);
        clip.lineTo(x + r, y + h);
        clip.curveTo(x, y + h, x, y + h - r);
        clip.lineTo(x, y + r);
        clip.curveTo(x, y, x + r, y);
    };

    // The middle of an art, inside its edge: one piece stretched over it, or, with
    // "tileMiddleHorizontal" or "tileMiddleVertical" of "tilingOptions" set, pieces of the art's
    // own size (size pixels) repeated that way, the last cut to what is left. draw(clip, x, y, w,
    // h) draws one piece. Gives the number of pieces.
    _global.kvTileMiddle = function (clip, tiling, x, y, w, h, size, draw) {
        var across = tiling != undefined && tiling.tileMiddleHorizontal == true;
        var down = tiling != undefined && tiling.tileMiddleVertical == true;
        var tw = across ? size : w, th = down ? size : h;
        var pieces = 0;
        for (var ty = y; ty < y + h - 0.5; ty += th) {
            for (var tx = x; tx < x + w - 0.5; tx += tw) {
                draw(clip, tx, ty, Math.min(tw, x + w - tx), Math.min(th, y + h - ty));
                pieces++;
            }
        }
        return pieces;
    };

    // One raised piece: light top and left edges, dark bottom and right ones.
    _global.kvBevelPiece = function (clip, x, y, w, h) {
        clip.lineStyle(1, 0xF4F6F8, 100);
        clip.moveTo(x + 0.5, y + h - 1);
        clip.lineTo(x + 0.5, y + 0.5);
        clip.lineTo(x + w - 1, y + 0.5);
        clip.lineStyle(1, 0xAEB6C0, 100);
        clip.moveTo(x + w - 0.5, y + 0.5);
        clip.lineTo(x + w - 0.5, y + h - 0.5);
        clip.lineTo(x + 0.5, y + h - 0.5);
    };

    // One piece of the gradient: light at its top, deeper at its bottom.
    _global.kvGradientPiece = function (clip, x, y, w, h) {
        clip.lineStyle();
        var matrix = {matrixType: "box", x: x, y: y, w: w, h: h, r: Math.PI / 2};
        clip.beginGradientFill("linear", [0xFFFFFF, 0xBFD1E3], [100, 100], [0, 255], matrix);
        kvRect(clip, x, y, w, h, undefined, undefined);
        clip.endFill();
    };

    _global.kvDrawBackground = function (art) {
        var w = this.kvW, h = this.kvH;
        var panel = this.kvClip("kvPanel");
        // "Capture Mouse Events": the panel takes the presses, so nothing under it gets them.
        if (this.blockMouseEvents == true) {
            panel.onPress = function () {};
            panel.useHandCursor = false;
        } else {
            delete panel.onPress;
        }
        var file = this.externalFile;
        var picture = this.useExternalFile == true && file != undefined
                      && (kvFilled(file.clipName) || kvFilled(file.fileName));
        this.kvShowPicture(picture ? file : undefined);
        if (this.artEnabled == false || picture)
            art = 0;
        this.kvArt = art;
        this.kvPieces = 0;
        if (picture) {
            // The picture covers the panel; a movie's own background colour behind it on request.
            if (file.bgType == "swf" && file.bgBG == true)
                kvRect(panel, 0, 0, w, h, file.bgColor == undefined ? 0xFFFFFF : file.bgColor, undefined);
            else
                kvRect(panel, 0, 0, w, h, 0xFFFFFF, undefined);
        } else if (art == 2) {
            // A rounded card on a soft shadow.
            panel.lineStyle();
            panel.beginFill(0x000000, 15);
            kvRoundRect(panel, 4, 4, w - 4, h - 4, 12);
            panel.endFill();
            panel.lineStyle(1, 0xB8C4D0, 100);
            panel.beginFill(0xF7F9FB, 100);
            kvRoundRect(panel, 0.5, 0.5, w - 5, h - 5, 12);
            panel.endFill();
        } else if (art == 3) {
            // A panel under a dark title band of a fifth of its height (at most 28 pixels).
            var band = Math.min(Math.round(h / 5), 28);
            kvRect(panel, 0.5, 0.5, w - 1, h - 1, 0xFFFFFF, 0x44546A);
            kvRect(panel, 0.5, 0.5, w - 1, band, 0x44546A, undefined);
        } else if (art == 4) {
            // A raised bevel: light top and left edges, dark bottom and right ones.
            kvRect(panel, 0, 0, w, h, 0xD9DDE2, undefined);
            panel.lineStyle(2, 0xFFFFFF, 100);
            panel.moveTo(1, h - 1);
            panel.lineTo(1, 1);
            panel.lineTo(w - 1, 1);
            // A new line style starts a new stroke: from the corner where the light one ended.
            panel.lineStyle(2, 0x8A939E, 100);
            panel.moveTo(w - 1, 1);
            panel.lineTo(w - 1, h - 1);
            panel.lineTo(1, h - 1);
            // Its middle: raised pieces of 64 pixels when tiled.
            this.kvPieces = kvTileMiddle(panel, this.tilingOptions, 4, 4, w - 8, h - 8, 64, kvBevelPiece);
        } else if (art == 5) {
            // A vertical gradient from a light top to a deeper bottom (again in each piece of 64
            // pixels when tiled), with a thin frame.
            this.kvPieces = kvTileMiddle(panel, this.tilingOptions, 0, 0, w, h, 64, kvGradientPiece);
            kvRect(panel, 0.5, 0.5, w - 1, h - 1, undefined, 0x6E8CA8);
        } else {
            var thickness = Math.max(kvNumber(this.borderThickness, 1), 0);
            if (this.borderEnabled != false && thickness > 0)
                panel.lineStyle(thickness, this.borderColor == undefined ? 0x666666 : this.borderColor,
                                100 - kvNumber(this.borderTrans, 0));
            else
                panel.lineStyle();
            // The fill the Appearance page chose, else the style's.
            var fill = this.backColor != undefined ? this.backColor : (this.fillColor != undefined ? this.fillColor : 0xF0F0F0);
            if (this.showFill != false)
                panel.beginFill(fill, 100 - kvNumber(this.backTrans, 0));
            var half = thickness / 2;
            panel.moveTo(half, half);
            panel.lineTo(w - half, half);
            panel.lineTo(w - half, h - half);
            panel.lineTo(half, h - half);
            panel.lineTo(half, half);
            if (this.showFill != false)
                panel.endFill();
        }
    };
}

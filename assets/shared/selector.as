// What the selectors share (check box, push button, combo box, list box, radio buttons): the
// item chosen ("selectIdx") and what goes into the "Insert In" cells ("dataValues") by the
// insert option ("retInfo"): the item's position (from 1), its label, the matching value of
// "values", or the matching row or column of "values" when it is a table.
#include "shared/component.as"

if (_global.kvSelectorInsert == undefined) {
    // A row or column of values into the cells of the member "name" one by one, as far as both
    // reach; a member that holds one cell takes the first value.
    _global.kvSelectorFill = function (clip, name, picked) {
        var target = clip[name];
        if (!(target instanceof Array)) {
            clip[name] = picked[0];
            return;
        }
        var flat = [];
        for (var t = 0; t < target.length; t++) {
            if (target[t] instanceof Array) {
                for (var c = 0; c < target[t].length; c++)
                    flat.push([target[t], c]);
            } else {
                flat.push([target, t]);
            }
        }
        for (var k = 0; k < flat.length && k < picked.length; k++)
            flat[k][0][flat[k][1]] = picked[k];
    };

    // The font of a selector's title: its Title Font, or, in a document saved before selectors
    // had one, the label font that drew the title then.
    _global.kvSelectorTitleFormat = function (clip) {
        return clip.titleTextFormat != undefined ? clip.titleTextFormat : clip.labelTextFormat;
    };

    // The title a selector shows: none with "showTitle" off.
    _global.kvSelectorTitleText = function (clip) {
        return clip.title == undefined || clip.showTitle == false ? "" : String(clip.title);
    };

    // The selector's title text field at x, y, moved by "titleXshift" and "titleYshift"
    // (downwards).
    _global.kvSelectorTitleAt = function (clip, name, x, y, w, h, text, format, align) {
        return clip.kvText(name, x + kvNumber(clip.titleXshift, 0), y + kvNumber(clip.titleYshift, 0), w, h, text, format,
                           align);
    };

    // A label as the selector shows it: none with "showLabels" off.
    _global.kvSelectorLabel = function (clip, text) {
        return clip.showLabels == false || text == undefined ? "" : text;
    };

    // The lightness of a colour, 0 (black) to 1 (white), as the eye weighs its parts.
    _global.kvLightness = function (rgb) {
        return (0.299 * ((rgb >> 16) & 255) + 0.587 * ((rgb >> 8) & 255) + 0.114 * (rgb & 255)) / 255;
    };

    // The colour the chosen item stands on: its plate (a light-to-deep blue) with "useLabelArt",
    // else "selectedFillColor", or the list's own fill where it has none.
    _global.kvChosenBack = function (clip) {
        if (clip.useLabelArt == true)
            return 0xA6BFE3;
        if (clip.selectedFillColor != undefined)
            return clip.selectedFillColor;
        return clip.defaultFillColor == undefined ? 0xFFFFFF : clip.defaultFillColor;
    };

    // The chosen item's text format: the label font in "selectedColor". A style gives the
    // selectors' chosen marker colour that name, often the very colour of the chosen row's fill:
    // text too close to the fill in lightness is drawn white on a deep fill, dark on a light one,
    // so the chosen row never shows an empty bar.
    _global.kvSelectorChosenFormat = function (clip, format) {
        var colour = clip.selectedColor;
        if (colour == undefined)
            colour = format != undefined && format.color != undefined ? format.color : 0x333333;
        var back = kvLightness(kvChosenBack(clip));
        if (Math.abs(kvLightness(colour) - back) < 0.3)
            colour = back < 0.55 ? 0xFFFFFF : 0x333333;
        var chosen = {};
        for (var k in format)
            chosen[k] = format[k];
        chosen.color = colour;
        return chosen;
    };

    // A selector's "title" in its Title Font: in a row along its top, or, when beside is set and
    // the selector is too short for a row, at its left in the given share of its width. Gives
    // [top, left], where the rest of the selector starts.
    _global.kvSelectorTitle = function (clip, beside) {
        var text = kvSelectorTitleText(clip);
        var format = kvSelectorTitleFormat(clip);
        if (text != "" && clip.kvH >= 36) {
            var row = clip.kvTitleHeight(text, format, 18);
            kvSelectorTitleAt(clip, "kvTitle", 0, 0, clip.kvW, row, text, format, "left");
            return [row, 0];
        }
        if (text != "" && beside != undefined) {
            var left = Math.round(clip.kvW * beside);
            kvSelectorTitleAt(clip, "kvTitle", 0, Math.round((clip.kvH - 18) / 2), left - 4, 18, text, format, "left");
            return [0, left];
        }
        clip.kvText("kvTitle", 0, 0, clip.kvW, 18, "", format, "left");
        return [0, 0];
    };

    // Redraws a list that opens: at once, or, when it unfolds, one more row a frame (kvReveal
    // counts the rows shown).
    _global.kvUnfold = function (clip, unfold) {
        clip.kvReveal = unfold ? 0 : undefined;
        clip.mc();
        // A clip of its own keeps the frames: the component's frame handler watches its cells.
        var timer = clip.createEmptyMovieClip("kvUnfolder", 9100);
        if (!unfold)
            return;
        timer.onEnterFrame = function () {
            clip.kvReveal++;
            var rows = clip.labels == undefined ? 0 : clip.labels.length;
            if (clip.kvReveal >= rows || clip.kvReveal >= 30) {
                clip.kvReveal = undefined;
                delete this.onEnterFrame;
            }
            clip.mc();
        };
    };

    // The art of the selectors is drawn, not imported. With "useLabelArt" each item stands on
    // a raised plate (a light-to-deep gradient in a rounded frame, the chosen one in blue);
    // without it on its plain fill ("defaultFillColor", the chosen one "selectedFillColor"). Both
    // let "transparency" of what lies behind show through.
    _global.kvLabelFill = function (clip, owner, x, y, w, h, chosen) {
        var alpha = 100 - Math.min(Math.max(kvNumber(owner.transparency, 0), 0), 100);
        if (owner.useLabelArt == true) {
            clip.lineStyle(1, chosen ? 0x3D6399 : 0x9AA8B8, alpha);
            var box = {matrixType: "box", x: x, y: y, w: w, h: h, r: Math.PI / 2};
            clip.beginGradientFill("linear", chosen ? [0xDCE8F8, 0x6F96CF] : [0xFFFFFF, 0xCFD8E3], [alpha, alpha], [0, 255], box);
            kvSelectorRound(clip, x + 0.5, y + 0.5, w - 1, h - 1, Math.min(h / 3, 6));
            clip.endFill();
            return;
        }
        var fill = chosen ? owner.selectedFillColor : owner.defaultFillColor;
        if (fill == undefined)
            return;
        clip.lineStyle();
        clip.beginFill(fill, alpha);
        kvSelectorRound(clip, x, y, w, h, 0);
        clip.endFill();
    };

    // A rectangle with corners rounded by r, inside the clip's current fill and line.
    _global.kvSelectorRound = function (clip, x, y, w, h, r) {
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

    // A marker's fill: with "useDefaultArt" a shaded bead or plate (the chosen one green), else
    // the plain colour given ("defaultColor" or "selectColor" and their kin).
    _global.kvMarkerFill = function (clip, owner, x, y, w, h, chosen, plain, round) {
        if (owner.useDefaultArt == true) {
            var box = {matrixType: "box", x: x - w / 4, y: y - h / 4, w: w * 1.2, h: h * 1.2, r: 0};
            clip.beginGradientFill(round ? "radial" : "linear", chosen ? [0xC8F0C8, 0x2E8B3A] : [0xFFFFFF, 0x8FA6C1], [100, 100],
                                   [0, 255], box);
        } else {
            clip.beginFill(plain, 100);
        }
    };

    // A selector's background over x, y, w, h, drawn into clip. With "useBackgroundArt" a
    // rounded panel on a soft shadow, light at its top; otherwise the border and fill of
    // "backgroundProps" ("showBorder" in "borderColor" of "borderWeight", "showFill" in
    // "fillColor"), or, in documents without them, a fill of the selector's own "fillColor".
    // "backgroundTrans" lets what lies behind show through. Gives the items' margins [x, y]
    // ("xMargin", "yMargin" of "backgroundProps").
    _global.kvSelectorBackground = function (clip, owner, x, y, w, h) {
        var props = owner.backgroundProps;
        var alpha = 100 - Math.min(Math.max(kvNumber(owner.backgroundTrans, 0), 0), 100);
        if (owner.useBackgroundArt == true) {
            clip.lineStyle();
            clip.beginFill(0x000000, Math.round(alpha * 0.15));
            kvSelectorRound(clip, x + 3, y + 3, w - 3, h - 3, 8);
            clip.endFill();
            clip.lineStyle(1, 0x8A9BB0, alpha);
            var box = {matrixType: "box", x: x, y: y, w: w, h: h, r: Math.PI / 2};
            clip.beginGradientFill("linear", [0xFFFFFF, 0xDDE5EE], [alpha, alpha], [0, 255], box);
            kvSelectorRound(clip, x + 0.5, y + 0.5, w - 4, h - 4, 8);
            clip.endFill();
        } else if (props == undefined) {
            clip.lineStyle();
            clip.beginFill(owner.fillColor == undefined ? 0xFFFFFF : owner.fillColor, alpha);
            kvSelectorRound(clip, x, y, w, h, 0);
            clip.endFill();
        } else {
            var weight = Math.max(kvNumber(props.borderWeight, 1), 0);
            var border = props.showBorder == true && weight > 0;
            if (border)
                clip.lineStyle(weight, props.borderColor == undefined ? 0x666666 : props.borderColor, alpha);
            else
                clip.lineStyle();
            if (props.showFill == true)
                clip.beginFill(props.fillColor == undefined ? 0xFFFFFF : props.fillColor, alpha);
            var half = border ? weight / 2 : 0;
            kvSelectorRound(clip, x + half, y + half, w - 2 * half, h - 2 * half, 0);
            if (props.showFill == true)
                clip.endFill();
        }
        return props == undefined ? [0, 0] : [Math.max(kvNumber(props.xMargin, 0), 0), Math.max(kvNumber(props.yMargin, 0), 0)];
    };

    // True when the selector's title goes below it ("titlePosition" "bottom"), not above.
    _global.kvSelectorTitleBelow = function (clip) {
        return String(clip.titlePosition).toLowerCase() == "bottom";
    };

    // A label's text field where the item puts it, moved by "labelXshift" and "labelYshift"
    // (downwards).
    _global.kvSelectorLabelAt = function (clip, name, x, y, w, h, text, format, align) {
        return clip.kvText(name, x + kvNumber(clip.labelXshift, 0), y + kvNumber(clip.labelYshift, 0), w, h, text, format, align);
    };

    // The gap "itemSeparation" puts between a selector's items.
    _global.kvItemGap = function (clip) {
        return Math.max(kvNumber(clip.itemSeparation, 0), 0);
    };

    _global.kvSelectorHow = function (clip) {
        return clip.retInfo == undefined ? "position" : String(clip.retInfo).toLowerCase();
    };

    // What the item at index inserts, by the insert option.
    _global.kvSelectorPicked = function (clip, index) {
        var how = kvSelectorHow(clip);
        var source = clip.values == undefined ? [] : clip.values;
        if (how == "label")
            return clip.labels == undefined ? undefined : clip.labels[index];
        if (how == "value")
            return kvFlatList(source)[index];
        if (how == "rows")
            return source[index];
        if (how == "columns") {
            var picked = [];
            for (var r = 0; r < source.length; r++)
                picked[r] = source[r][index];
            return picked;
        }
        return index + 1;
    };

    _global.kvSelectorInsert = function (clip, index) {
        clip.selectIdx = index;
        clip.kvClick();
        kvSelectorPut(clip, "dataValues", kvSelectorPicked(clip, index));
        clip.mc();
        clip.kvCommit();
    };

    // Another component wrote the selector's "Insert In" cell since the selector last drew (a
    // reset button, say): the first of its count items that inserts what the cell holds now
    // becomes the chosen one, so the selector never shows one choice while the model calculates
    // with another's. Single values only (position, label or value); a cell holding what no item
    // inserts, or what the chosen item inserts, leaves the choice as it is. Called as the
    // selector draws; its first drawing only notes the cell. count: the items, one a label
    // unless given.
    _global.kvSelectorFollow = function (clip, count) {
        if (count == undefined)
            count = clip.labels == undefined ? 0 : clip.labels.length;
        var target = clip.dataValues;
        var held = target instanceof Array ? (target[0] instanceof Array ? target[0][0] : target[0]) : target;
        var noted = clip.kvNoted;
        clip.kvNoted = true;
        var before = clip.kvHeld;
        clip.kvHeld = held;
        var how = kvSelectorHow(clip);
        if (noted != true || held === before || held === undefined || (how != "position" && how != "label" && how != "value"))
            return;
        var index = kvNumber(clip.selectIdx, 0);
        if (kvSelectorPicked(clip, index) == held)
            return;
        for (var i = 0; i < count; i++) {
            if (kvSelectorPicked(clip, i) == held) {
                clip.selectIdx = i;
                return;
            }
        }
    };

    // What a selector picked (one value, or a row or column of them) into the cells of the
    // member "name": a row or column one value a cell, one value into the first cell.
    _global.kvSelectorPut = function (clip, name, picked) {
        var target = clip[name];
        if (picked instanceof Array) {
            kvSelectorFill(clip, name, picked);
        } else if (target instanceof Array) {
            if (target[0] instanceof Array)
                target[0][0] = picked;
            else
                target[0] = picked;
        } else {
            clip[name] = picked;
        }
    };
}

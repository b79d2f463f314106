// The maps: one shape per region (shared/mapdata-*.as), each a clip of its own so that a press
// chooses it. A region is named in the sheet by its code or its name ("CA" or "California"),
// letter case aside: "values" lists the regions the dashboard uses, "mv" their values in the
// same order. While the colour ranges are on ("alertsEnabled") a region with a value takes the
// colour of its band ("alertPcts" of the range from 0 to the largest value, or of "target"), a
// region without one "alertNoDataColor"; with them off every region takes "regionDftColor".
// The region under the mouse takes "regionHighlightColor". The chosen region
// ("selectedRegion", by code) is drawn in "regionSelectionColor" and written to the
// "dataValues" cell as its "retInfo": "label" (its name in the sheet), "position" (from 1 in
// "values"), "value" (its value) or "code". kvRegionColours keeps each region's fill by code.
// The title sits at the top or the bottom ("titlePosition"), moved by "titleXShift" and
// "titleYShift"; "labelsEnabled" writes each region's code on it in "labelsTextProps";
// "showMouseEffects" lights the region under the mouse; with "showOnOff" a press on the chosen
// region lets it go; without "useCustomColor" regions without a value keep the plain grey, and
// then, while the colour ranges are off, the regions the Regions list names take
// "selectableColor".
#include "shared/component.as"

if (_global.kvDrawMap == undefined) {
    // The regions of the data as numbers, parsed once: [code, name, [[x, y, x, y ...], ...]].
    _global.kvMapRegions = function (data) {
        if (data.kvParsed != undefined)
            return data.kvParsed;
        var parsed = [];
        for (var i = 0; i < data.regions.length; i++) {
            var entry = data.regions[i], rings = entry[2].split("|"), shapes = [];
            for (var r = 0; r < rings.length; r++) {
                var numbers = rings[r].split(" ");
                for (var n = 0; n < numbers.length; n++)
                    numbers[n] = Number(numbers[n]);
                shapes.push(numbers);
            }
            parsed.push([entry[0], entry[1], shapes]);
        }
        data.kvParsed = parsed;
        return parsed;
    };

    // Where a name of the sheet stands among the map's regions: its index, or -1.
    _global.kvMapFind = function (regions, name) {
        if (name == undefined)
            return -1;
        // Names are compared without their blanks too: the property pages store a default
        // region as "NewYork".
        var key = String(name).toUpperCase().split(" ").join("");
        for (var i = 0; i < regions.length; i++) {
            if (regions[i][0] == key || regions[i][1].toUpperCase().split(" ").join("") == key)
                return i;
        }
        return -1;
    };

    _global.kvDrawMap = function (data) {
        var w = this.kvW, h = this.kvH;
        var regions = kvMapRegions(data);
        var titleH = this.titleEnabled == false || !(this.title != undefined && this.title !== "") ? 0
                   : this.kvTitleHeight(this.title, this.titleTextProps, 20);
        var below = String(this.titlePosition).toLowerCase() == "bottom";
        this.kvText("kvTitle", kvNumber(this.titleXShift, 0), (below ? h - titleH : 0) + kvNumber(this.titleYShift, 0),
                                w, titleH, titleH > 0 ? this.title : "", this.titleTextProps, "center");
        // The map keeps its proportions inside the space the title leaves.
        var top = below ? 0 : titleH;
        var scale = Math.min(w / data.width, (h - titleH) / data.height);
        var ox = (w - data.width * scale) / 2, oy = top + (h - titleH - data.height * scale) / 2;
        var names = kvFlatList(this.values), values = kvFlatList(this.mv);
        var valueOf = [], nameOf = [], positionOf = [], largest = 0;
        for (var i = 0; i < names.length; i++) {
            var at = kvMapFind(regions, names[i]);
            if (at < 0)
                continue;
            valueOf[at] = values[i];
            nameOf[at] = names[i];
            positionOf[at] = i + 1;
            largest = Math.max(largest, kvNumber(values[i], 0));
        }
        this.kvAlertRange = [0, largest];
        // The Regions list ("regionNames", typed or linked to cells) names the regions a person
        // may choose, by code or name; an empty list leaves every region to choose.
        var listed = kvFlatList(this.regionNames), choosable = undefined;
        for (var k = 0; k < listed.length; k++) {
            var known = kvMapFind(regions, listed[k]);
            if (known < 0)
                continue;
            if (choosable == undefined)
                choosable = [];
            choosable[known] = true;
        }
        var base = this.regionDftColor == undefined || this.useCustomColor == false ? 0xDDDDDD : this.regionDftColor;
        var selectable = this.alertsEnabled != true && this.useCustomColor == false && choosable != undefined
                         ? this.selectableColor : undefined;
        var chosen = kvMapFind(regions, this.selectedRegion);
        this.kvRegionColours = {};
        var alpha = 100 - kvNumber(this.transparency, 0);
        for (var r = 0; r < regions.length; r++) {
            var clip = this.kvClip("kvRegion_" + regions[r][0]);
            var colour = base;
            if (valueOf[r] != undefined) {
                colour = this.kvAlertFill(valueOf[r], base);
            } else if (this.alertsEnabled == true && this.alertNoDataColor != undefined) {
                colour = this.alertNoDataColor;
            }
            if (selectable != undefined && choosable[r] == true)
                colour = selectable;
            if (r == chosen && this.regionSelectionColor != undefined)
                colour = this.regionSelectionColor;
            if (r == this.kvOver && this.showMouseEffects != false && this.regionHighlightColor != undefined && r != chosen)
                colour = this.regionHighlightColor;
            this.kvRegionColours[regions[r][0]] = colour;
            clip.lineStyle(0, this.borderColor == undefined ? 0xFFFFFF : this.borderColor, 100);
            var shapes = regions[r][2];
            for (var s = 0; s < shapes.length; s++) {
                var pts = shapes[s];
                clip.beginFill(colour, alpha);
                clip.moveTo(ox + pts[0] * scale, oy + pts[1] * scale);
                for (var p = 2; p + 1 < pts.length; p += 2)
                    clip.lineTo(ox + pts[p] * scale, oy + pts[p + 1] * scale);
                clip.lineTo(ox + pts[0] * scale, oy + pts[1] * scale);
                clip.endFill();
            }
            this.kvRegionHandlers(clip, r, regions[r], nameOf[r], positionOf[r], valueOf[r],
                                  choosable == undefined || choosable[r] == true);
        }
        // Each region's code in the middle of its largest outline, over every region.
        for (var q = 0; q < regions.length; q++) {
            var label = this.labelsEnabled == true ? kvMapMiddle(regions[q][2]) : undefined;
            if (label == undefined && this["kvLabel_" + regions[q][0]] == undefined)
                continue;
            var code = this.kvText("kvLabel_" + regions[q][0], label == undefined ? 0 : ox + label[0] * scale - 20,
                                   label == undefined ? 0 : oy + label[1] * scale - 8, 40, 16,
                                   label == undefined ? "" : regions[q][0], this.labelsTextProps, "center");
            code._visible = label != undefined;
        }
        // The region under the mouse, with its value, in the corner.
        var over = this.kvOver == undefined ? "" : regions[this.kvOver][1];
        if (over !== "" && this.showValue != false && valueOf[this.kvOver] != undefined)
            over += ": " + kvShowNumber(valueOf[this.kvOver], this.formatValue);
        this.kvText("kvOverLabel", 0, below ? 0 : h - 18, w, 18, this.showMouseOverLabel == false ? "" : over,
                    this.mouseOverTextProps, "left");
    };

    // The middle of the bounding box of the outline with the most points: [x, y].
    _global.kvMapMiddle = function (shapes) {
        var pts = shapes[0];
        for (var s = 1; s < shapes.length; s++)
            if (shapes[s].length > pts.length)
                pts = shapes[s];
        var x0 = pts[0], x1 = pts[0], y0 = pts[1], y1 = pts[1];
        for (var p = 2; p + 1 < pts.length; p += 2) {
            x0 = Math.min(x0, pts[p]);
            x1 = Math.max(x1, pts[p]);
            y0 = Math.min(y0, pts[p + 1]);
            y1 = Math.max(y1, pts[p + 1]);
        }
        return [(x0 + x1) / 2, (y0 + y1) / 2];
    };

    // A press on a region chooses it (when it may be chosen); moving over one shows its name
    // and value.
    _global.kvMapRegionHandlers = function (clip, index, region, name, position, value, choosable) {
        var owner = this;
        clip.onRelease = !choosable ? undefined : function () {
            owner.kvClick();
            // On/off: a press on the chosen region lets it go and empties the cell.
            if (owner.showOnOff == true && kvMapFind([region], owner.selectedRegion) == 0) {
                owner.selectedRegion = "";
                owner.dataValues = "";
                owner.mc();
                owner.kvCommit();
                return;
            }
            owner.selectedRegion = region[0];
            var how = owner.retInfo;
            if (how == "position")
                owner.dataValues = position == undefined ? 0 : position;
            else if (how == "value")
                owner.dataValues = value == undefined ? "" : value;
            else if (how == "code")
                owner.dataValues = region[0];
            else
                owner.dataValues = name == undefined ? region[1] : name;
            owner.mc();
            owner.kvCommit();
        };
        clip.onRollOver = function () {
            owner.kvOver = index;
            owner.mc();
        };
        clip.onRollOut = function () {
            if (owner.kvOver == index) {
                owner.kvOver = undefined;
                owner.mc();
            }
        };
    };
}

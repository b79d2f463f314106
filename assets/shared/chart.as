// What the charts share: reading the data block as series, the value scale, the plot with its
// grid and axes, the legend and the titles. Column and bar charts keep the rectangle of each bar
// in kvBars ([x, y, w, h] per series and category, series by series), line charts their points
// in kvPoints ([x, y] likewise), pie charts each slice's [start, sweep] in degrees in kvSlices
// and their centre and radius in kvPieCentre.
// With alerts on, a chart of one series colours its bars, markers or slices by their bands, the
// value scale (a pie's 0 to its largest value) standing for the range when there is no target.
#include "shared/component.as"

if (_global.kvChartSeries == undefined) {
    // The data block as series: one series per row when the rows match the series names (or
    // there are no names), one per column when the columns match them. Names that match
    // neither (a series named but not yet given its cells) leave the longer side as the
    // points, as the designer cuts a range. Text and empty cells count as 0.
    _global.kvChartSeries = function (data, names) {
        var parts = kvSeriesParts(data);
        if (parts != undefined) {
            // Series of fewer values than the longest count 0 for the points they lack.
            var own = [], longest = 0;
            for (var k = 0; k + 2 < parts.length; k += 3) {
                if (parts[k].length > 0)
                    own.push(parts[k]);
                longest = Math.max(longest, parts[k].length);
            }
            for (var o = 0; o < own.length; o++) {
                while (own[o].length < longest)
                    own[o].push(0);
            }
            return own;
        }
        var rows = data == undefined ? [] : data;
        var nRows = rows.length, nCols = 0;
        for (var r = 0; r < nRows; r++) {
            if (!(rows[r] instanceof Array))
                rows[r] = [rows[r]];
            nCols = Math.max(nCols, rows[r].length);
        }
        var byRows = names == undefined || names.length == 0 || names.length == nRows
                     || (names.length != nCols && nCols >= nRows);
        var series = [];
        var count = byRows ? nRows : nCols, points = byRows ? nCols : nRows;
        for (var s = 0; s < count; s++) {
            var values = [];
            for (var p = 0; p < points; p++)
                values[p] = kvNumber(byRows ? rows[s][p] : rows[p][s], 0);
            series[s] = values;
        }
        return series;
    };

    // The series as the chart's General page publishes them, each from its own cells: three
    // lists per series (its values, Y values and sizes), each holding the rows of its cells,
    // read here as one line of numbers apiece. Undefined for a data block (rows of values),
    // which is read as a whole. A series without cells is left out.
    _global.kvSeriesParts = function (data) {
        if (!(data instanceof Array) || data.length == 0 || data.length % 3 != 0)
            return undefined;
        var parts = [];
        for (var i = 0; i < data.length; i++) {
            var part = data[i], line = [];
            if (!(part instanceof Array))
                return undefined;
            for (var r = 0; r < part.length; r++) {
                if (!(part[r] instanceof Array))
                    return undefined;
                for (var c = 0; c < part[r].length; c++)
                    line.push(kvNumber(part[r][c], 0));
            }
            parts.push(line);
        }
        return parts;
    };

    // A scale from 0 (or below it) to a round top with about five steps.
    _global.kvChartScale = function (series) {
        var lo = 0, hi = 0;
        for (var s = 0; s < series.length; s++) {
            for (var p = 0; p < series[s].length; p++) {
                lo = Math.min(lo, series[s][p]);
                hi = Math.max(hi, series[s][p]);
            }
        }
        return kvNiceScale(lo, hi);
    };

    // lo..hi widened to round ends with about five round steps between: [lo, hi, step].
    _global.kvNiceScale = function (lo, hi) {
        if (!(hi > lo))
            hi = lo + 1;
        var raw = (hi - lo) / 5;
        var magnitude = Math.pow(10, Math.floor(Math.log(raw) / Math.LN10));
        var step = magnitude;
        if (raw > magnitude * 5)
            step = magnitude * 10;
        else if (raw > magnitude * 2)
            step = magnitude * 5;
        else if (raw > magnitude)
            step = magnitude * 2;
        return [Math.floor(lo / step) * step, Math.ceil(hi / step) * step, step];
    };

    // The scale of one value axis ("X" or "Y") by the chart's "autofocus": "off" keeps the
    // typed minimum and maximum ("minY", "maxY", "minX", "maxX") whatever the data, cut into
    // "numMajor" divisions, "growth" only ever widens the scale the chart showed before (so an
    // animated value does not make it jump back and forth) until the data fills less than
    // "zoomOut" quarters of it (0 never, 4 always), "full" fits the data on every
    // recalculation. A fixed pair that is no range (maximum not above the minimum) falls back to
    // the data's scale.
    _global.kvAxisScale = function (chart, lo, hi, axis) {
        if (chart.autofocus == "off") {
            var fixedLo = kvNumber(chart["min" + axis], NaN), fixedHi = kvNumber(chart["max" + axis], NaN);
            if (fixedHi > fixedLo) {
                var divisions = Math.round(kvNumber(chart.numMajor, 0));
                var step = divisions >= 1 ? (fixedHi - fixedLo) / divisions : kvNiceScale(fixedLo, fixedHi)[2];
                return [fixedLo, fixedHi, step];
            }
        }
        var scale = kvNiceScale(lo, hi);
        if (chart.autofocus == "growth") {
            var seen = chart["kvGrown" + axis];
            if (seen != undefined) {
                var grown = kvNiceScale(Math.min(seen[0], scale[0]), Math.max(seen[1], scale[1]));
                var share = (scale[1] - scale[0]) / (grown[1] - grown[0]);
                if (!(share < kvNumber(chart.zoomOut, 0) / 4))
                    scale = grown;
            }
            chart["kvGrown" + axis] = scale;
        }
        return scale;
    };

    // The text of a number-format setting: its group's "numFormat", or the text itself.
    _global.kvFormatText = function (format, fallback) {
        // A format per value kind: the first one's.
        if (format instanceof Array)
            format = format[0];
        if (format != undefined && format.numFormat != undefined && format.numFormat !== "")
            return format.numFormat;
        if (typeof format == "string" && format !== "")
            return format;
        return fallback;
    };

    // A value-axis label: the axis's number format ("XAxisFormat" for the horizontal axis,
    // "YAxisFormat" for the vertical one, else "formatValue"). With "fixedLabelWidth" the labels
    // keep a fixed width and large numbers are shortened by "labelUnitAbv": pairs of a unit and
    // the sign shown for it ([1000, "K"]), the largest unit the number reaches dividing it.
    _global.kvAxisNumber = function (chart, v, horizontal) {
        var format = kvFormatText(horizontal ? chart.XAxisFormat : chart.YAxisFormat, chart.formatValue);
        var units = chart.labelUnitAbv;
        if (chart.fixedLabelWidth == true && units != undefined) {
            var unit = 1, sign = "";
            for (var u = 0; u < units.length; u++) {
                var pair = units[u], size = kvNumber(pair instanceof Array ? pair[0] : undefined, NaN);
                if (size > unit && Math.abs(v) >= size) {
                    unit = size;
                    sign = pair[1] == undefined ? "" : String(pair[1]);
                }
            }
            if (unit > 1)
                return kvShowNumber(v / unit, format) + sign;
        }
        return kvShowNumber(v, format);
    };

    // The look of a chart's gridlines that stand across the horizontal axis (vertical lines,
    // the "XAxis" settings) or across the vertical one (the "YAxis" settings): [major shown,
    // colour, weight, minor shown, colour, weight]. A chart without them keeps the older
    // "showHMajGrid" and "hMajGridColor" for its horizontal lines.
    _global.kvGridLook = function (chart, vertical) {
        if (vertical)
            return [chart.showXAxisMajor == true, kvNumber(chart.XAxisMajorColor, 0xDDDDDD), kvNumber(chart.XAxisMajorWeight, 0),
                    chart.showXAxisMinor == true, kvNumber(chart.XAxisMinorColor, 0xEEEEEE), kvNumber(chart.XAxisMinorWeight, 0)];
        var major = chart.showYAxisMajor != undefined ? chart.showYAxisMajor == true : chart.showHMajGrid != false;
        var colour = chart.YAxisMajorColor != undefined ? chart.YAxisMajorColor
                     : (chart.hMajGridColor == undefined ? 0xDDDDDD : chart.hMajGridColor);
        return [major, colour, kvNumber(chart.YAxisMajorWeight, 0),
                chart.showYAxisMinor == true, kvNumber(chart.YAxisMinorColor, 0xEEEEEE), kvNumber(chart.YAxisMinorWeight, 0)];
    };

    // The look of an axis, the horizontal ("X" settings) or the vertical one ("Y"): [line shown,
    // colour, weight, major ticks, minor ticks, labels shown, title shown].
    _global.kvAxisLook = function (chart, horizontal) {
        if (horizontal)
            return [chart.showXAxis == true, kvNumber(chart.XAxisColor, 0x666666), kvNumber(chart.XAxisWeight, 1),
                    chart.showXAxisMajorTicks == true, chart.showXAxisMinorTicks == true, chart.showXAxisLabels != false,
                    chart.showXAxisTitle != false];
        return [chart.showYAxis == true, kvNumber(chart.YAxisColor, 0x666666), kvNumber(chart.YAxisWeight, 1),
                chart.showYAxisMajorTicks == true, chart.showYAxisMinorTicks == true, chart.showYAxisLabels != false,
                chart.showYAxisTitle != false];
    };

    // Minor lines between two major ones: "numMinor", at least one while any minor line shows.
    _global.kvMinorCount = function (chart) {
        return Math.max(Math.round(kvNumber(chart.numMinor, 0)), 1);
    };

    // A line from (x1, y1) to (x2, y2) of a weight (0 is a hairline) and colour.
    _global.kvLine = function (clip, x1, y1, x2, y2, weight, colour) {
        clip.lineStyle(weight, colour, 100);
        clip.moveTo(x1, y1);
        clip.lineTo(x2, y2);
    };

    // The axis lines and their tick marks along the plot [px, py, pw, ph]: the horizontal axis
    // under the plot, the vertical one at its left. ticks gives, per axis, the fractions of the
    // plot where major ticks stand (minor ones between them).
    _global.kvDrawAxes = function (chart, plot, xTicks, yTicks) {
        var axes = chart.kvClip("kvAxes");
        var px = plot[0], py = plot[1], pw = plot[2], ph = plot[3];
        for (var a = 0; a < 2; a++) {
            var horizontal = a == 0, look = kvAxisLook(chart, horizontal), ticks = horizontal ? xTicks : yTicks;
            if (!look[0])
                continue;
            if (horizontal)
                kvLine(axes, px, py + ph, px + pw, py + ph, look[2], look[1]);
            else
                kvLine(axes, px, py, px, py + ph, look[2], look[1]);
            var minor = kvMinorCount(chart);
            for (var t = 0; t < ticks.length; t++) {
                var at = ticks[t];
                if (look[3]) {
                    if (horizontal)
                        kvLine(axes, px + at * pw, py + ph, px + at * pw, py + ph + 5, look[2], look[1]);
                    else
                        kvLine(axes, px - 5, py + ph - at * ph, px, py + ph - at * ph, look[2], look[1]);
                }
                if (look[4] && t + 1 < ticks.length) {
                    for (var m = 1; m <= minor; m++) {
                        var f = at + (ticks[t + 1] - at) * m / (minor + 1);
                        if (horizontal)
                            kvLine(axes, px + f * pw, py + ph, px + f * pw, py + ph + 3, look[2], look[1]);
                        else
                            kvLine(axes, px - 3, py + ph - f * ph, px, py + ph - f * ph, look[2], look[1]);
                    }
                }
            }
        }
    };

    // Gridlines across the plot at the fractions of ticks, with minor ones between: vertical
    // lines when vertical is set, else horizontal ones.
    _global.kvDrawGrid = function (chart, grid, plot, ticks, vertical) {
        var look = kvGridLook(chart, vertical), minor = kvMinorCount(chart);
        var px = plot[0], py = plot[1], pw = plot[2], ph = plot[3];
        for (var t = 0; t < ticks.length; t++) {
            var fs = [];
            if (look[0])
                fs.push([ticks[t], look[2], look[1]]);
            if (look[3] && t + 1 < ticks.length) {
                for (var m = 1; m <= minor; m++)
                    fs.push([ticks[t] + (ticks[t + 1] - ticks[t]) * m / (minor + 1), look[5], look[4]]);
            }
            for (var i = 0; i < fs.length; i++) {
                var f = fs[i][0];
                if (vertical)
                    kvLine(grid, px + f * pw, py, px + f * pw, py + ph, fs[i][1], fs[i][2]);
                else
                    kvLine(grid, px, py + ph - f * ph, px + pw, py + ph - f * ph, fs[i][1], fs[i][2]);
            }
        }
    };

    // The fractions of a value scale's ticks along its axis.
    _global.kvScaleTicks = function (scale) {
        var ticks = [], n = Math.round((scale[1] - scale[0]) / scale[2]);
        for (var t = 0; t <= n; t++) {
            var f = t * scale[2] / (scale[1] - scale[0]);
            if (f > 1.0000001)
                break;
            ticks.push(f);
        }
        return ticks;
    };

    // A colour made lighter (f above 0, towards white) or darker (f below 0, towards black).
    _global.kvShade = function (colour, f) {
        var out = 0;
        for (var shift = 16; shift >= 0; shift -= 8) {
            var c = (colour >> shift) & 0xFF;
            c = f > 0 ? c + (255 - c) * f : c * (1 + f);
            out = out * 256 + Math.round(c);
        }
        return out;
    };

    // A bar [x, y, w, h] in its colour and transparency: "art" gives it a shaded, outlined
    // look, highlights a light strip along its leading side.
    _global.kvDrawBar = function (clip, rect, colour, alpha, art, highlight, horizontal) {
        var x = rect[0], y = rect[1], w = rect[2], h = rect[3];
        if (art) {
            clip.lineStyle(0, kvShade(colour, -0.4), alpha);
            clip.beginFill(kvShade(colour, -0.15), alpha);
        } else {
            clip.lineStyle();
            clip.beginFill(colour, alpha);
        }
        clip.moveTo(x, y);
        clip.lineTo(x + w, y);
        clip.lineTo(x + w, y + h);
        clip.lineTo(x, y + h);
        clip.lineTo(x, y);
        clip.endFill();
        if (art) {
            // The lit half of a rounded bar.
            if (horizontal)
                kvRectAlpha(clip, x, y, w, h / 2, kvShade(colour, 0.3), alpha);
            else
                kvRectAlpha(clip, x, y, w / 2, h, kvShade(colour, 0.3), alpha);
        }
        if (highlight) {
            if (horizontal)
                kvRectAlpha(clip, x, y + h * 0.15, w, Math.max(h * 0.2, 1), 0xFFFFFF, 50);
            else
                kvRectAlpha(clip, x + w * 0.15, y, Math.max(w * 0.2, 1), h, 0xFFFFFF, 50);
        }
    };

    _global.kvRectAlpha = function (clip, x, y, w, h, colour, alpha) {
        clip.lineStyle();
        clip.beginFill(colour, alpha);
        clip.moveTo(x, y);
        clip.lineTo(x + w, y);
        clip.lineTo(x + w, y + h);
        clip.lineTo(x, y + h);
        clip.lineTo(x, y);
        clip.endFill();
    };

    // A marker of a shape ("circle", "diamond", "star", "triangle" or "x"; a circle for any
    // other) and size around (x, y): "art" outlines it, highlight (true, or a weight above 0)
    // puts a light spot and ring on it.
    _global.kvDrawMarker = function (clip, shape, x, y, size, colour, alpha, art, highlight) {
        var r = Math.max(size / 2, 1);
        if (shape == "x") {
            clip.lineStyle(Math.max(r / 2, 1), art ? kvShade(colour, -0.4) : colour, alpha);
            clip.moveTo(x - r, y - r);
            clip.lineTo(x + r, y + r);
            clip.moveTo(x - r, y + r);
            clip.lineTo(x + r, y - r);
            return;
        }
        if (art)
            clip.lineStyle(0, kvShade(colour, -0.4), alpha);
        else
            clip.lineStyle();
        clip.beginFill(colour, alpha);
        if (shape == "diamond") {
            clip.moveTo(x, y - r);
            clip.lineTo(x + r, y);
            clip.lineTo(x, y + r);
            clip.lineTo(x - r, y);
            clip.lineTo(x, y - r);
        } else if (shape == "triangle") {
            clip.moveTo(x, y - r);
            clip.lineTo(x + r, y + r * 0.8);
            clip.lineTo(x - r, y + r * 0.8);
            clip.lineTo(x, y - r);
        } else if (shape == "star") {
            for (var k = 0; k <= 10; k++) {
                var pnt = kvPolar(x, y, k % 2 == 0 ? r : r * 0.45, k * 36);
                if (k == 0)
                    clip.moveTo(pnt[0], pnt[1]);
                else
                    clip.lineTo(pnt[0], pnt[1]);
            }
        } else {
            kvCircle(clip, x, y, r);
        }
        clip.endFill();
        if (highlight) {
            clip.lineStyle();
            clip.beginFill(0xFFFFFF, 60);
            kvCircle(clip, x - r * 0.3, y - r * 0.3, Math.max(r * 0.35, 1));
            clip.endFill();
            // A light ring as wide as the highlight's weight (true is 1).
            clip.lineStyle(highlight === true ? 1 : highlight, 0xFFFFFF, 70);
            kvCircle(clip, x, y, r * 0.6);
        }
    };

    // The value labels: "showValues" writes each value with "valueTextFormat" in the number
    // format "valueFormat" (else "formatValue") centred on x, its bottom at y (its middle when
    // centred is set). kvValues keeps what was written, n counts the labels.
    _global.kvValueLabel = function (chart, n, x, y, v, centred) {
        var text = kvShowNumber(v, kvFormatText(chart.valueFormat, chart.formatValue));
        var size = chart.valueTextFormat != undefined ? kvNumber(chart.valueTextFormat.size, 9) : 9;
        var h = size + 8, top = centred ? y - h / 2 : y - h;
        var field = chart.kvText("kvValue" + n, x - 40, top, 80, h, text, chart.valueTextFormat, "center");
        chart.kvValues.push(text);
        // A label that would print over one already drawn (the bars of neighbouring series stand
        // close) is left out rather than made unreadable together with it.
        if (n == 0)
            chart.kvValueBoxes = [];
        var half = field.textWidth / 2 + 1, box = [x - half, top, x + half, top + field.textHeight];
        for (var b = 0; b < chart.kvValueBoxes.length; b++) {
            var o = chart.kvValueBoxes[b];
            if (box[0] < o[2] && o[0] < box[2] && box[1] < o[3] && o[1] < box[3]) {
                field.text = "";
                return;
            }
        }
        chart.kvValueBoxes.push(box);
    };

    // A chart of one series with alerts on colours each item by its alert band instead.
    _global.kvItemColor = function (chart, series, s, p) {
        var colour = kvSeriesColor(chart, s);
        return series.length == 1 ? chart.kvAlertFill(series[0][p], colour, p) : colour;
    };

    _global.kvSeriesColor = function (chart, s) {
        var own = kvOwnSeriesColor(chart, s);
        if (own != undefined)
            return own;
        var colors = chart.seriesColors;
        if (colors != undefined && colors.length > 0)
            return colors[s % colors.length];
        var fallback = [0x3366CC, 0xDC3912, 0xFF9900, 0x109618, 0x990099, 0x0099C6];
        return fallback[s % fallback.length];
    };

    // The colour the chart's Series settings give series s: a combination chart's column series
    // take "markerColorsColumn" and its line series "lineColors", each counted within its own
    // type; line and XY charts take "lineColors"; bars, bubbles and pie slices "markerColors".
    // Undefined where the chart has no such list or no element for the series.
    _global.kvOwnSeriesColor = function (chart, s) {
        var list, at = s;
        if (chart.chartType == "combo") {
            var types = chart.seriesTypes, column = types != undefined && types[s] == "column";
            at = 0;
            for (var k = 0; k < s; k++) {
                var other = types != undefined && types[k] == "column";
                if (other == column)
                    at++;
            }
            list = column ? chart.markerColorsColumn : chart.lineColors;
        } else if (chart.chartType == "line" || chart.chartType == "xy") {
            list = chart.lineColors;
        } else {
            list = chart.markerColors;
        }
        if (list == undefined || typeof list[at] != "number")
            return undefined;
        return list[at];
    };

}

// The drawing of the charts; a guard of its own, since one guard may span no more code than a
// branch reaches.
if (_global.kvDrawCategoryChart == undefined) {
    // The position of series s among the series of its own type in a combination chart
    // (columns and lines counted apart), else s itself.
    _global.kvTypePosition = function (chart, s) {
        if (chart.chartType != "combo")
            return s;
        var types = chart.seriesTypes, column = types != undefined && types[s] == "column", at = 0;
        for (var k = 0; k < s; k++) {
            if ((types != undefined && types[k] == "column") == column)
                at++;
        }
        return at;
    };

    // How the bars of a chart look: [width as a share of a category, transparency, art,
    // highlights]. A combination chart's columns take their own settings ("markerSizeColumn",
    // "markerAlphaColumn", "useMarkerArtColumn").
    _global.kvBarLook = function (chart) {
        if (chart.chartType == "combo")
            return [kvNumber(chart.markerSizeColumn, 70) / 100, kvNumber(chart.markerAlphaColumn, 100),
                    chart.useMarkerArtColumn == true, false];
        var width = kvNumber(chart.markerSize, 70) / 100;
        // Stacked bars may overlap the gap beside them: "markerOverlap" percent of it.
        if (chart.chartType == "stackbar" || chart.chartType == "stackcolumn")
            width += (1 - width) * Math.min(Math.max(kvNumber(chart.markerOverlap, 0), 0), 100) / 100;
        return [Math.min(Math.max(width, 0.02), 1), kvNumber(chart.markerAlpha, 100), chart.useMarkerArt == true,
                chart.showHighlights == true];
    };

    // How line series s looks: [line weight, markers shown, marker shape, marker size, marker
    // colour, transparency, art, highlight weight: "lineWeight", the spin beside "Show
    // Highlights", 0 while they are off]. Per series: "lineWeights" (else "lineWeight"),
    // "seriesMarkers", "markerColors" (a combination chart's "markerColorsLine"), counted within
    // the line series of a combination chart, whose shared settings end in "Line".
    _global.kvLineLook = function (chart, s, colour) {
        var combo = chart.chartType == "combo", at = kvTypePosition(chart, s);
        var weights = chart.lineWeights, shapes = chart.seriesMarkers;
        var markerColours = combo ? chart.markerColorsLine : chart.markerColors;
        var weight = weights != undefined && weights[at] != undefined ? kvNumber(weights[at], 2) : kvNumber(chart.lineWeight, 2);
        var fill = markerColours != undefined && typeof markerColours[at] == "number" ? markerColours[at] : colour;
        return [weight, chart.showMarkers != false, shapes != undefined ? shapes[at] : "circle",
                combo ? kvNumber(chart.markerSizeLine, 6) : kvNumber(chart.markerSize, 6), fill,
                combo ? kvNumber(chart.markerAlphaLine, 100) : kvNumber(chart.markerAlpha, 100),
                combo ? chart.useMarkerArtLine == true : chart.useMarkerArt == true,
                chart.showHighlights == true ? Math.max(kvNumber(chart.lineWeight, 1), 0.5) : 0];
    };

    // The fill and border colour of an area (the chart's back, its plot): from its settings
    // group ("backgroundProps", "plotAreaProps": "showFill", "fillColor", "showBorder",
    // "borderColor") when the chart has one, else from the older flat switches and colours.
    _global.kvAreaColours = function (props, showFill, fill, showBorder, border) {
        if (props != undefined)
            return [props.showFill == false ? undefined : props.fillColor, props.showBorder == false ? undefined : props.borderColor];
        return [showFill == false ? undefined : fill, showBorder == false ? undefined : border];
    };

    // A box [x, y, w, h] by a settings group ("showBorder", "borderColor", "borderWeight",
    // "showFill", "fillColor"), or by the colours given for older charts.
    _global.kvDrawBox = function (clip, x, y, w, h, props, colours) {
        var fill = colours[0], border = colours[1];
        var weight = props != undefined ? kvNumber(props.borderWeight, 0) : 0;
        if (border == undefined)
            clip.lineStyle();
        else
            clip.lineStyle(weight, border, 100);
        if (fill != undefined)
            clip.beginFill(fill, 100);
        clip.moveTo(x, y);
        clip.lineTo(x + w, y);
        clip.lineTo(x + w, y + h);
        clip.lineTo(x, y + h);
        clip.lineTo(x, y);
        if (fill != undefined)
            clip.endFill();
    };

    // A title or legend box ("chartTitleProps", "legendProps"): drawn only as set on.
    _global.kvDrawPanel = function (clip, x, y, w, h, props) {
        if (props == undefined || (props.showBorder != true && props.showFill != true))
            return;
        kvDrawBox(clip, x, y, w, h, props, [props.showFill == true ? props.fillColor : undefined,
                                            props.showBorder == true ? props.borderColor : undefined]);
    };

    // The alert level display ("alertDisplayEnabled", with alerts on): a strip beside the
    // plot [x, y, w, h] that shows which band each value from lo (bottom) to hi (top) falls in.
    _global.kvDrawAlertLevels = function (chart, x, y, h, lo, hi) {
        var strip = chart.kvClip("kvAlertLevels");
        chart.kvAlertLevels = [];
        if (chart.alertsEnabled != true || chart.alertDisplayEnabled != true || !(hi > lo))
            return;
        var steps = Math.max(Math.round(h / 4), 1);
        for (var i = 0; i < steps; i++) {
            var v = lo + (hi - lo) * (i + 0.5) / steps;
            var colour = chart.kvAlertFill(v, undefined, 0);
            if (colour == undefined)
                return;
            // On whole pixels, so that neighbouring steps leave no lighter seam between them.
            var top = Math.round(y + h - (i + 1) * h / steps), bottom = Math.round(y + h - i * h / steps);
            kvRectAlpha(strip, x, top, 6, bottom - top, colour, 100);
            chart.kvAlertLevels.push(colour);
        }
    };

    // The title's alignment: "left" or "right" as set, else centred.
    _global.kvTitleAlign = function (chart) {
        var align = chart.chartTitleAlign;
        return align == "left" || align == "right" ? align : "center";
    };

    // The chart's back ("useBackgroundArt" paints a shaded panel instead of the chart area's
    // fill and border), its title and subtitle (cells or typed texts) in their box across the
    // top, inside the margin ("chartMargin"); gives the height they take. The boxes of the
    // title and the legend are made here, under the texts drawn into them.
    _global.kvChartFrame = function (chart) {
        var w = chart.kvW, h = chart.kvH, m = kvNumber(chart.chartMargin, 4);
        var back = chart.kvClip("kvBack");
        if (chart.useBackgroundArt == true) {
            for (var band = 0; band < 8; band++)
                kvRectAlpha(back, 0, h * band / 8, w, h / 8 + 1, kvShade(0xC8D4E0, 1 - band / 8 * 0.7), 100);
            back.lineStyle(1, 0x8899AA, 100);
            kvRect(back, 0, 0, w - 1, h - 1, undefined, 0x8899AA);
        } else {
            var area = kvAreaColours(chart.backgroundProps, chart.showChartFill, chart.chartFillColor, chart.showChartBorder,
                                     chart.chartBorderColor);
            // A wide border stays inside the chart's rectangle.
            var inset = chart.backgroundProps != undefined ? kvNumber(chart.backgroundProps.borderWeight, 0) / 2 : 0;
            kvDrawBox(back, inset, inset, w - 1 - 2 * inset, h - 1 - 2 * inset, chart.backgroundProps, area);
        }
        var titleBox = chart.kvClip("kvTitleBox");
        chart.kvClip("kvLegendBox");
        // The run-time buttons (Focus, Reset Scale, the scale behaviour) have a row of their own
        // along the top, above the titles, so that they never cover them.
        var buttons = chart.showFocus == true || chart.showReset == true || chart.showScaleBehavior == true;
        var top = m + (buttons ? 18 : 0);
        // "showTitles" off hides the title and the subtitle.
        var shown = chart.showTitles != false;
        var title = shown ? chart.chartTitle : "", sub = shown ? chart.chartSubTitle : "";
        // Each row as high as a line of its font needs, descenders included.
        var mainH = kvHasText(title) ? chart.kvTitleHeight(title, chart.titleTextFormat, 20) : 0;
        var subH = kvHasText(sub) ? chart.kvTitleHeight(sub, chart.subTitleTextFormat, 16) : 0;
        if (mainH + subH > 0)
            kvDrawPanel(titleBox, m, top - 2, w - 2 * m, mainH + subH + 4, chart.chartTitleProps);
        chart.kvText("kvTitle", 0, top, w, Math.max(mainH, 20), title, chart.titleTextFormat, kvTitleAlign(chart));
        top += mainH;
        chart.kvText("kvSubTitle", 0, top, w, Math.max(subH, 18), sub, chart.subTitleTextFormat, kvTitleAlign(chart));
        top += subH;
        return top;
    };

    // The legend's width: its longest name and swatch, between a fifth and three tenths of the
    // chart (at most 120 pixels); 0 while "showLegend" is off.
    _global.kvLegendWidth = function (chart, count) {
        if (chart.showLegend != true)
            return 0;
        var widest = 0;
        for (var n = 0; n < count; n++) {
            var field = chart.kvText("kvLegend" + n, 0, 0, 200, 18, kvLegendName(chart, n), chart.legendTextFormat, "left");
            widest = Math.max(widest, field.textWidth);
        }
        var w = chart.kvW;
        return Math.round(Math.min(Math.min(Math.max(widest + 22, w * 0.2), w * 0.3), 120));
    };

    _global.kvLegendName = function (chart, n) {
        var names = chart.chartType == "pie" ? chart.categoryLabels : chart.seriesNames;
        if (names != undefined && names[n] != undefined)
            return names[n];
        return chart.chartType == "pie" ? String(n + 1) : "Series" + (n + 1);
    };

    // The legend: a swatch and a name per series down the right edge, from y, in its box.
    _global.kvChartLegend = function (chart, legendW, y, count, colourOf) {
        var legend = chart.kvClip("kvLegend");
        var m = kvNumber(chart.chartMargin, 4), x = chart.kvW - legendW - Math.max(m - 4, 0);
        if (legendW > 0 && count > 0)
            kvDrawPanel(chart.kvLegendBox, x - 4, y - 2, legendW, count * 18 + 6, chart.legendProps);
        for (var n = 0; n < count && legendW > 0; n++) {
            var ly = y + n * 18;
            kvRect(legend, x, ly + 4, 10, 10, colourOf(n), undefined);
            chart.kvText("kvLegend" + n, x + 14, ly, legendW - 14, 18, kvLegendName(chart, n), chart.legendTextFormat, "left");
        }
        chart.kvClearTexts("kvLegend", legendW > 0 ? count : 0);
    };

    // The width the labels of a vertical value scale need: the widest label, up to a third of
    // the chart ("$250,000" does not fit in the usual 40 pixels); a fixed 40 with
    // "fixedLabelWidth", or none while the axis shows no labels.
    _global.kvScaleLabelsWidth = function (chart, scale, prefix) {
        if (!kvAxisLook(chart, false)[5])
            return 10;
        if (chart.fixedLabelWidth == true)
            return 40;
        var width = 40, ticks = Math.round((scale[1] - scale[0]) / scale[2]);
        for (var t = 0; t <= ticks; t++) {
            var measured = chart.kvText(prefix + t, 0, 0, chart.kvW, 18, kvAxisNumber(chart, scale[0] + t * scale[2], false),
                                        chart.YAxisTextFormat, "right");
            width = Math.max(width, Math.ceil(measured.textWidth) + 6);
        }
        return Math.min(width, Math.round(chart.kvW / 3));
    };

    // Gridlines and labels of a value scale along the plot [px, py, pw, ph]: across the plot
    // when horizontal, else up its side; the labels of a vertical scale stand left of the plot,
    // or right of it when right is set (a second axis, which draws no grid).
    _global.kvDrawValueScale = function (chart, grid, plot, scale, horizontal, prefix, labelsW, right) {
        var lo = scale[0], hi = scale[1], step = scale[2];
        var px = plot[0], py = plot[1], pw = plot[2], ph = plot[3];
        var ticks = kvScaleTicks(scale);
        if (!right)
            kvDrawGrid(chart, grid, plot, ticks, horizontal);
        var labelled = kvAxisLook(chart, horizontal)[5];
        // Labels across the plot that would run into each other show one in every few ticks.
        var every = 1;
        if (horizontal && ticks.length > 1 && labelled) {
            var widest = 0;
            for (var m = 0; m < ticks.length; m++) {
                var probe = chart.kvText(prefix + m, 0, 0, 200, 18, kvAxisNumber(chart, lo + m * step, true),
                                         chart.XAxisTextFormat, "center");
                widest = Math.max(widest, probe.textWidth);
            }
            every = Math.max(Math.ceil((widest + 6) / (pw / (ticks.length - 1))), 1);
        }
        var shown = 0;
        for (var t = 0; t < ticks.length && labelled; t++) {
            var f = ticks[t], label = kvAxisNumber(chart, lo + t * step, horizontal);
            if (horizontal)
                chart.kvText(prefix + t, px + f * pw - 30, py + ph + 4, 60, 18, t % every == 0 ? label : "", chart.XAxisTextFormat, "center");
            else if (right)
                chart.kvText(prefix + t, px + pw + 4, py + ph - f * ph - 9, labelsW, 18, label, chart.YAxisTextFormat, "left");
            else
                chart.kvText(prefix + t, px - labelsW - 6, py + ph - f * ph - 9, labelsW, 18, label, chart.YAxisTextFormat, "right");
            shown = t + 1;
        }
        chart.kvClearTexts(prefix, shown);
        return ticks;
    };

    // The axis titles ("XAxisTitle" under the plot, "YAxisTitle" over the value labels), each
    // while its axis shows its title.
    _global.kvAxisTitles = function (chart, plot) {
        var m = kvNumber(chart.chartMargin, 4);
        chart.kvText("kvXTitle", plot[0], chart.kvH - 18 - Math.max(m - 4, 0), plot[2], 18,
                     kvAxisLook(chart, true)[6] ? chart.XAxisTitle : "", chart.XAxisTitleTextFormat, "center");
        chart.kvText("kvYTitle", m, plot[1] - 18, Math.max(plot[0] + plot[2] / 2, 10), 18,
                     kvAxisLook(chart, false)[6] ? chart.YAxisTitle : "", chart.YAxisTitleTextFormat, "left");
    };

    _global.kvHasText = function (v) {
        return v != undefined && v !== "";
    };

    // The run-time buttons at the top right: "showFocus" fits the scale to the data now,
    // "showReset" puts back the scale behaviour and scale the chart was published with, and
    // "showScaleBehavior" steps the scale behaviour through automatic zoom-out, automatic and
    // manual scale (its text says which is on).
    // Category labels wider than their category are not cut: each shown label gets the room of
    // as many categories as the widest needs, centred on its own, and only every so many
    // categories keeps its label.
    _global.kvSpreadCategoryLabels = function (chart, n, px, span) {
        var widest = 0;
        for (var q = 0; q < n; q++)
            widest = Math.max(widest, chart["kvCat" + q].textWidth + 6);
        if (widest <= span || span <= 0)
            return;
        var every = Math.ceil(widest / span), room = every * span;
        for (var c = 0; c < n; c++) {
            var field = chart["kvCat" + c];
            if (c % every != 0) {
                field.text = "";
                continue;
            }
            field._x = Math.min(Math.max(px + (c + 0.5) * span - room / 2, 0), Math.max(chart.kvW - room, 0));
            field._width = room;
        }
    };

    _global.kvChartButtons = function (chart) {
        var names = ["Focus", "Reset Scale", chart.autofocus == "growth" ? "Auto Zoom Out"
                                             : (chart.autofocus == "off" ? "Manual Scale" : "Auto Scale")];
        var shown = [chart.showFocus == true, chart.showReset == true, chart.showScaleBehavior == true];
        if (chart.kvStartScale == undefined)
            chart.kvStartScale = chart.autofocus;
        var m = kvNumber(chart.chartMargin, 4), x = chart.kvW - m, y = m;
        for (var b = 0; b < 3; b++) {
            if (!shown[b]) {
                if (chart["kvButton" + b] != undefined) {
                    chart.kvClip("kvButton" + b);
                    delete chart["kvButton" + b].onRelease;
                    chart["kvButtonText" + b].text = "";
                }
                continue;
            }
            var button = chart.kvClip("kvButton" + b);
            var bw = names[b].length * 6 + 10;
            x -= bw + 2;
            kvRect(button, x, y, bw, 15, 0xEEEEEE, 0x888888);
            chart.kvText("kvButtonText" + b, x, y, bw, 16, names[b], {size: 9, color: 0x333333}, "center");
            button.kvChart = chart;
            button.kvWhich = b;
            button.onRelease = function () { this.kvChart.kvScaleButton(this.kvWhich); };
        }
    };

    _global.kvScaleButton = function (which) {
        this.kvGrownX = undefined;
        this.kvGrownY = undefined;
        this.kvGrownY2 = undefined;
        if (which == 1)
            this.autofocus = this.kvStartScale;
        else if (which == 2)
            this.autofocus = this.autofocus == "growth" ? "full" : (this.autofocus == "full" ? "off" : "growth");
        this.kvDraw();
        fscommand("kvScaleButton", which + "," + this.autofocus);
    };

    // Draws a pie chart of the first series: one slice per category, clockwise from the top in
    // the pie colours, over its plot area ("plotAreaProps"), with the category labels in the
    // legend. "showLines" outlines the slices in "lineColor", "markerSize" wide.
    _global.kvDrawPieChart = function () {
        var w = this.kvW, h = this.kvH;
        var top = kvChartFrame(this);
        var m = kvNumber(this.chartMargin, 4);
        var series = kvChartSeries(this.dataValues, undefined);
        // A pie of one row shows it; a pie of one column likewise.
        var values = series.length == 1 ? series[0] : [];
        if (series.length > 1) {
            for (var c = 0; c < series.length; c++)
                values.push(series[c][0]);
        }
        var total = 0;
        for (var i = 0; i < values.length; i++)
            total += Math.max(values[i], 0);
        var legendW = this.showLegend == false ? 0 : Math.min(Math.round(w * 0.3), 120);
        var r = Math.max(Math.min((w - legendW) / 2, (h - top) / 2) - m - 4, 4);
        var cx = (w - legendW) / 2, cy = top + (h - top) / 2;
        this.kvPieCentre = [cx, cy, r];
        // The plot area is the square the pie stands in, inside the margin.
        var plotArea = [cx - r - 4, cy - r - 4, 2 * r + 8, 2 * r + 8];
        this.kvPlotArea = plotArea;
        kvDrawBox(this.kvClip("kvPlot"), plotArea[0], plotArea[1], plotArea[2], plotArea[3], this.plotAreaProps,
                  kvAreaColours(this.plotAreaProps, false, undefined, false, undefined));
        var pie = this.kvClip("kvPie");
        var largest = 0;
        for (var g = 0; g < values.length; g++)
            largest = Math.max(largest, values[g]);
        this.kvAlertRange = [0, largest];
        kvDrawAlertLevels(this, cx + r + 6, cy - r, 2 * r, 0, largest);
        this.kvSlices = [];
        this.kvValues = [];
        var alpha = kvNumber(this.markerAlpha, 100);
        var start = 0;
        for (var j = 0; j < values.length; j++) {
            var sweep = total > 0 ? Math.max(values[j], 0) / total * 360 : 0;
            this.kvSlices.push([Math.round(start * 100) / 100, Math.round(sweep * 100) / 100]);
            if (sweep > 0) {
                if (this.showLines != false)
                    pie.lineStyle(kvNumber(this.markerSize, 0), kvNumber(this.lineColor, 0xFFFFFF), 100);
                else
                    pie.lineStyle();
                pie.beginFill(this.kvAlertFill(values[j], kvSeriesColor(this, j), j), alpha);
                pie.moveTo(cx, cy);
                var parts = Math.ceil(sweep / 5);
                for (var k = 0; k <= parts; k++) {
                    var pnt = kvPolar(cx, cy, r, start + sweep * k / parts);
                    pie.lineTo(pnt[0], pnt[1]);
                }
                pie.lineTo(cx, cy);
                pie.endFill();
                if (this.showValues == true) {
                    var at = kvPolar(cx, cy, r * 0.65, start + sweep / 2);
                    kvValueLabel(this, this.kvValues.length, at[0], at[1], values[j], true);
                }
            }
            start += sweep;
        }
        this.kvClearTexts("kvValue", this.kvValues.length);
        var self = this;
        kvChartLegend(this, legendW, top + 8, values.length,
                      function (n) { return self.kvAlertFill(values[n], kvSeriesColor(self, n), n); });
        kvChartButtons(this);
    };

    // Draws a column (vertical bars), bar (horizontal bars) or, with lines, line chart. Mode
    // "stacked" piles the series of a category on each other, positive values upwards from the
    // axis and negative ones downwards from it; kvStacks keeps each category's [positive total,
    // negative total]. Mode "combo" draws the series whose "seriesTypes" entry is "column" as
    // columns and the others as lines over them; with "showSecondAxis" the lines take a scale of
    // their own on the right (kvScale2).
    _global.kvDrawCategoryChart = function (horizontal, lines, mode) {
        var w = this.kvW, h = this.kvH;
        var top = kvChartFrame(this);
        var m = kvNumber(this.chartMargin, 4);
        var series = kvChartSeries(this.dataValues, this.seriesNames);
        var nSeries = series.length, nPoints = nSeries > 0 ? series[0].length : 0;
        var stacked = mode == "stacked", combo = mode == "combo";
        // Which series are lines: all of a line chart, those not typed "column" in a combination.
        var isLine = [], nColumns = 0, nLines = 0;
        for (var k = 0; k < nSeries; k++) {
            isLine[k] = combo ? !(this.seriesTypes != undefined && this.seriesTypes[k] == "column") : lines == true;
            if (isLine[k])
                nLines++;
            else
                nColumns++;
        }
        var second = combo && this.showSecondAxis == true && nLines > 0 && nColumns > 0;
        // The extents: stacked charts by their category totals; a second axis keeps the line
        // series off the first one's scale.
        var lo = 0, hi = 0, lo2 = 0, hi2 = 0;
        this.kvStacks = [];
        for (var p = 0; p < nPoints; p++) {
            var up = 0, down = 0;
            for (var s = 0; s < nSeries; s++) {
                var v = series[s][p];
                if (stacked) {
                    if (v < 0)
                        down += v;
                    else
                        up += v;
                } else if (second && isLine[s]) {
                    lo2 = Math.min(lo2, v);
                    hi2 = Math.max(hi2, v);
                } else {
                    lo = Math.min(lo, v);
                    hi = Math.max(hi, v);
                }
            }
            if (stacked) {
                this.kvStacks.push([up, down]);
                lo = Math.min(lo, down);
                hi = Math.max(hi, up);
            }
        }
        var scale = kvAxisScale(this, lo, hi, "Y");
        lo = scale[0];
        hi = scale[1];
        this.kvScale = scale;
        this.kvAlertRange = [lo, hi];
        var scale2 = second ? kvAxisScale(this, lo2, hi2, "Y2") : undefined;
        this.kvScale2 = scale2;
        var legendW = kvLegendWidth(this, nSeries);
        var catLabels = kvAxisLook(this, !horizontal)[5];
        var labelsW = horizontal ? (catLabels ? Math.min(Math.round(w * 0.2), 80) : 10) : kvScaleLabelsWidth(this, scale, "kvTick");
        var labels2W = second ? kvScaleLabelsWidth(this, scale2, "kvTickR") : 0;
        var yTitle = kvHasText(this.YAxisTitle) && kvAxisLook(this, false)[6] ? 16 : 0;
        var xTitle = kvHasText(this.XAxisTitle) && kvAxisLook(this, true)[6] ? 16 : 0;
        var px = m + labelsW + 2, py = top + 6 + yTitle, pw = w - px - legendW - m - 6 - labels2W, ph = h - py - 20 - m - xTitle;
        if (pw < 10 || ph < 10)
            return;
        var plotArea = [px, py, pw, ph];
        this.kvPlotArea = plotArea;
        var plot = this.kvClip("kvPlot");
        var plotColours = kvAreaColours(this.plotAreaProps, this.showPlotFill, this.plotFillColor, this.showPlotBorder, this.plotBorderColor);
        kvDrawBox(plot, px, py, pw, ph, this.plotAreaProps, plotColours);
        if (horizontal)
            kvDrawAlertLevels(this, px + pw + 2, py, ph, lo, hi);
        else
            kvDrawAlertLevels(this, px + pw + 2 + labels2W, py, ph, lo, hi);
        var grid = this.kvClip("kvGrid");
        var valueTicks = kvDrawValueScale(this, grid, plotArea, scale, horizontal, "kvTick", labelsW, false);
        if (second)
            kvDrawValueScale(this, grid, plotArea, scale2, false, "kvTickR", labels2W, true);
        else
            this.kvClearTexts("kvTickR", 0);
        // Gridlines between the categories, across the category axis.
        var categoryTicks = [];
        for (var c = 0; c <= nPoints; c++)
            categoryTicks.push(c / Math.max(nPoints, 1));
        kvDrawGrid(this, grid, plotArea, categoryTicks, !horizontal);
        kvDrawAxes(this, plotArea, horizontal ? valueTicks : categoryTicks, horizontal ? categoryTicks : valueTicks);
        // Bars: categories side by side, the series of a category next to each other (on each
        // other when stacked), each "markerSize" percent of its category wide.
        var bars = this.kvClip("kvBarsClip");
        var look = kvBarLook(this);
        var span = (horizontal ? ph : pw) / Math.max(nPoints, 1);
        var barSize = span * look[0] / Math.max(stacked ? 1 : nColumns, 1);
        var inset = span * (1 - look[0]) / 2;
        var zero = (Math.min(Math.max(0, lo), hi) - lo) / (hi - lo);
        this.kvBars = [];
        this.kvPoints = [];
        this.kvValues = [];
        var values = this.showValues == true;
        var bases = [];
        for (var b = 0; b < nPoints; b++)
            bases[b] = [0, 0];
        var column = 0;
        for (var s = 0; s < nSeries; s++) {
            if (isLine[s])
                continue;
            for (var p = 0; p < nPoints; p++) {
                var v = series[s][p], from = 0, to = v;
                if (stacked) {
                    var pile = bases[p], side = v < 0 ? 1 : 0;
                    from = pile[side];
                    to = from + v;
                    pile[side] = to;
                }
                var fa = (from - lo) / (hi - lo), fb = (to - lo) / (hi - lo);
                var a = Math.max(Math.min(fa, fb), 0), e = Math.min(Math.max(fa, fb), 1);
                if (!stacked) {
                    a = Math.min(a, zero);
                    e = Math.max(e, zero);
                }
                var at = stacked ? 0 : column;
                var rect;
                if (horizontal)
                    rect = [px + a * pw, py + p * span + inset + at * barSize, (e - a) * pw, barSize];
                else
                    rect = [px + p * span + inset + at * barSize, py + ph - e * ph, barSize, (e - a) * ph];
                kvDrawBar(bars, rect, kvItemColor(this, series, s, p), look[1], look[2], look[3], horizontal);
                this.kvBars.push(rect);
                if (values) {
                    if (stacked)
                        kvValueLabel(this, this.kvValues.length, rect[0] + rect[2] / 2, rect[1] + rect[3] / 2, v, true);
                    else if (horizontal)
                        kvValueLabel(this, this.kvValues.length, rect[0] + rect[2] + (v < 0 ? -44 : 44), rect[1] + rect[3] / 2, v, true);
                    else
                        kvValueLabel(this, this.kvValues.length, rect[0] + rect[2] / 2, v < 0 ? rect[1] + rect[3] + 18 : rect[1], v, false);
                }
            }
            column++;
        }
        // Lines over the bars, with their markers.
        var marks = this.kvClip("kvMarksClip");
        for (var s = 0; s < nSeries; s++) {
            if (!isLine[s])
                continue;
            var sc = second ? scale2 : scale;
            var first = this.kvPoints.length;
            var line = kvLineLook(this, s, kvSeriesColor(this, s));
            if (line[0] > 0)
                bars.lineStyle(line[0], kvSeriesColor(this, s), 100);
            else
                bars.lineStyle();
            for (var p = 0; p < nPoints; p++) {
                var f = Math.min(Math.max((series[s][p] - sc[0]) / (sc[1] - sc[0]), 0), 1);
                var lx = px + (p + 0.5) * span, ly = py + ph - f * ph;
                if (p == 0)
                    bars.moveTo(lx, ly);
                else
                    bars.lineTo(lx, ly);
                this.kvPoints.push([lx, ly]);
            }
            for (var q = 0; q < nPoints; q++) {
                var pt = this.kvPoints[first + q];
                var fill = series.length == 1 ? this.kvAlertFill(series[s][q], line[4], q) : line[4];
                if (line[1])
                    kvDrawMarker(marks, line[2], pt[0], pt[1], line[3], fill, line[5], line[6], line[7]);
                if (values)
                    kvValueLabel(this, this.kvValues.length, pt[0], pt[1] - (line[1] ? line[3] / 2 : 0) - 1, series[s][q], false);
            }
        }
        this.kvClearTexts("kvValue", this.kvValues.length);
        // Category labels along the other axis.
        var names = this.categoryLabels;
        for (var q = 0; q < nPoints && catLabels; q++) {
            var text = names != undefined && names[q] != undefined ? names[q] : String(q + 1);
            if (horizontal)
                this.kvText("kvCat" + q, m, py + q * span, labelsW - 2, span, text, this.YAxisTextFormat, "right");
            else
                this.kvText("kvCat" + q, px + q * span, py + ph + 4, span, 18, text, this.XAxisTextFormat, "center");
        }
        if (!horizontal && catLabels)
            kvSpreadCategoryLabels(this, nPoints, px, span);
        this.kvClearTexts("kvCat", catLabels ? nPoints : 0);
        kvAxisTitles(this, plotArea);
        var self = this;
        kvChartLegend(this, legendW, py, nSeries, function (n) { return kvSeriesColor(self, n); });
        kvChartButtons(this);
    };

    // The lines of the data block (rows, or columns when there are more rows than columns) as
    // the series of an XY chart: with one line its values are Y values over 1, 2, 3...; with
    // more the first holds the X values and each other a series' Y values. A bubble chart takes
    // the lines in pairs of Y values and sizes, after a first line of X values when their
    // count is odd. Each series is [xs, ys, sizes].
    _global.kvXYSeries = function (data, bubble) {
        var parts = kvSeriesParts(data);
        if (parts != undefined) {
            // A series' own X values (else 1, 2, 3...) and sizes (else 0) for each Y value.
            var own = [];
            for (var k = 0; k + 2 < parts.length; k += 3) {
                var ys = parts[k + 1], xs = [], sizes = [];
                if (ys.length == 0)
                    continue;
                for (var q = 0; q < ys.length; q++) {
                    xs[q] = q < parts[k].length ? parts[k][q] : q + 1;
                    sizes[q] = q < parts[k + 2].length ? parts[k + 2][q] : 0;
                }
                own.push([xs, ys, bubble ? sizes : undefined]);
            }
            return own;
        }
        var rows = data == undefined ? [] : data, nRows = rows.length, nCols = 0;
        for (var r = 0; r < nRows; r++) {
            if (!(rows[r] instanceof Array))
                rows[r] = [rows[r]];
            nCols = Math.max(nCols, rows[r].length);
        }
        var byRows = nCols >= nRows;
        var count = byRows ? nRows : nCols, points = byRows ? nCols : nRows;
        var lines = [];
        for (var s = 0; s < count; s++) {
            var values = [];
            for (var p = 0; p < points; p++)
                values[p] = kvNumber(byRows ? rows[s][p] : rows[p][s], 0);
            lines[s] = values;
        }
        var index = [];
        for (var i = 0; i < points; i++)
            index[i] = i + 1;
        var result = [];
        if (bubble) {
            var odd = count % 2 == 1, xs = odd ? lines[0] : index;
            for (var j = odd ? 1 : 0; j + 1 < count; j += 2)
                result.push([xs, lines[j], lines[j + 1]]);
        } else if (count == 1) {
            result.push([index, lines[0], undefined]);
        } else {
            for (var k = 1; k < count; k++)
                result.push([lines[0], lines[k], undefined]);
        }
        return result;
    };

    // Draws an XY (scatter) chart, or a bubble chart: both axes numeric, a marker per point (a
    // circle whose area is in proportion to its size for a bubble; the largest size gets a
    // radius of "markerSize" percent of the plot's shorter side; older charts keep it in
    // "maxBubbleSize"). An XY chart joins a
    // series' points with its line while its weight is above 0. kvPoints keeps each point,
    // kvBubbles each bubble's [x, y, radius], series by series.
    _global.kvDrawXYChart = function (bubble) {
        var w = this.kvW, h = this.kvH;
        var top = kvChartFrame(this);
        var m = kvNumber(this.chartMargin, 4);
        var series = kvXYSeries(this.dataValues, bubble);
        var xlo = undefined, xhi = undefined, ylo = 0, yhi = 0, largest = 0;
        for (var s = 0; s < series.length; s++) {
            for (var p = 0; p < series[s][1].length; p++) {
                var xp = series[s][0][p];
                xlo = xlo == undefined ? xp : Math.min(xlo, xp);
                xhi = xhi == undefined ? xp : Math.max(xhi, xp);
                ylo = Math.min(ylo, series[s][1][p]);
                yhi = Math.max(yhi, series[s][1][p]);
                if (bubble)
                    largest = Math.max(largest, Math.abs(series[s][2][p]));
            }
        }
        if (xlo == undefined) {
            xlo = 0;
            xhi = 1;
        }
        // The X scale starts at 0 for positive values, as the Y scale does. Bubbles get a tenth
        // more room at the top and right, where the largest values would otherwise stand half
        // outside the plot.
        var padX = bubble ? (xhi - Math.min(xlo, 0)) * 0.1 : 0, padY = bubble ? (yhi - ylo) * 0.1 : 0;
        var xs = kvAxisScale(this, Math.min(xlo, 0), xhi + padX, "X"), ys = kvAxisScale(this, ylo, yhi + padY, "Y");
        this.kvScale = ys;
        this.kvScaleX = xs;
        // Alerts follow the values "alertVar" names: the Y values unless "X Values" or a
        // bubble's "Sizes" are chosen, each as a share of its own range.
        var alertOn = this.alertVar == "X Values" ? 0 : (bubble && this.alertVar == "Sizes" ? 2 : 1);
        this.kvAlertRange = alertOn == 0 ? [xs[0], xs[1]] : (alertOn == 2 ? [0, largest] : [ys[0], ys[1]]);
        var legendW = kvLegendWidth(this, series.length);
        var labelsW = kvScaleLabelsWidth(this, ys, "kvTick");
        var yTitle = kvHasText(this.YAxisTitle) && kvAxisLook(this, false)[6] ? 16 : 0;
        var xTitle = kvHasText(this.XAxisTitle) && kvAxisLook(this, true)[6] ? 16 : 0;
        var px = m + labelsW + 2, py = top + 6 + yTitle, pw = w - px - legendW - m - 12, ph = h - py - 20 - m - xTitle;
        if (pw < 10 || ph < 10)
            return;
        var plotArea = [px, py, pw, ph];
        this.kvPlotArea = plotArea;
        var plot = this.kvClip("kvPlot");
        var plotColours = kvAreaColours(this.plotAreaProps, this.showPlotFill, this.plotFillColor, this.showPlotBorder, this.plotBorderColor);
        kvDrawBox(plot, px, py, pw, ph, this.plotAreaProps, plotColours);
        kvDrawAlertLevels(this, px + pw + 2, py, ph, this.kvAlertRange[0], this.kvAlertRange[1]);
        var grid = this.kvClip("kvGrid");
        var yTicks = kvDrawValueScale(this, grid, plotArea, ys, false, "kvTick", labelsW, false);
        var xTicks = kvDrawValueScale(this, grid, plotArea, xs, true, "kvCat", 60, false);
        kvDrawAxes(this, plotArea, xTicks, yTicks);
        var lines = this.kvClip("kvLines");
        var marks = this.kvClip("kvMarks");
        var maxR = Math.min(pw, ph) * (bubble ? kvNumber(this.markerSize, kvNumber(this.maxBubbleSize, 12)) : 12) / 100;
        this.kvPoints = [];
        this.kvBubbles = [];
        this.kvValues = [];
        var values = this.showValues == true;
        var alpha = kvNumber(this.markerAlpha, bubble ? 75 : 100);
        for (var s = 0; s < series.length; s++) {
            var xv = series[s][0], yv = series[s][1];
            var look = kvLineLook(this, s, kvSeriesColor(this, s));
            var joined = 0;
            if (!bubble && look[0] > 0)
                lines.lineStyle(look[0], kvSeriesColor(this, s), 100);
            for (var p = 0; p < yv.length; p++) {
                var fx = (xv[p] - xs[0]) / (xs[1] - xs[0]), fy = (yv[p] - ys[0]) / (ys[1] - ys[0]);
                if (fx < -0.0000001 || fx > 1.0000001 || fy < -0.0000001 || fy > 1.0000001)
                    continue;
                var x = px + fx * pw, y = py + ph - fy * ph;
                this.kvPoints.push([x, y]);
                if (bubble) {
                    var colour = series.length == 1 ? this.kvAlertFill(series[s][alertOn][p], kvSeriesColor(this, s), p)
                                                    : kvSeriesColor(this, s);
                    var r = largest > 0 ? maxR * Math.sqrt(Math.abs(series[s][2][p]) / largest) : 0;
                    this.kvBubbles.push([x, y, r]);
                    if (r > 0) {
                        kvDrawMarker(marks, "circle", x, y, r * 2, colour, alpha, this.useMarkerArt == true, this.showHighlights == true);
                        if (this.useMarkerArt != true) {
                            marks.lineStyle(0, 0xFFFFFF, 100);
                            kvCircle(marks, x, y, r);
                        }
                    }
                    if (values)
                        kvValueLabel(this, this.kvValues.length, x, y, series[s][2][p], true);
                } else {
                    if (look[0] > 0) {
                        if (joined++ == 0)
                            lines.moveTo(x, y);
                        else
                            lines.lineTo(x, y);
                    }
                    var fill = series.length == 1 ? this.kvAlertFill(series[s][alertOn][p], look[4], p) : look[4];
                    if (look[1])
                        kvDrawMarker(marks, look[2], x, y, look[3], fill, look[5], look[6], look[7]);
                    if (values)
                        kvValueLabel(this, this.kvValues.length, x, y - (look[1] ? look[3] / 2 : 0) - 1, yv[p], false);
                }
            }
        }
        this.kvClearTexts("kvValue", this.kvValues.length);
        kvAxisTitles(this, plotArea);
        var self = this;
        // An XY series drawn without its line shows its markers' colour in the legend.
        kvChartLegend(this, legendW, py, series.length, function (n) {
            var colour = kvSeriesColor(self, n), look = kvLineLook(self, n, colour);
            return bubble || look[0] > 0 ? colour : look[4];
        });
        kvChartButtons(this);
    };
}

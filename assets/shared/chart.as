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
    // there are no names), else one per column. Text and empty cells count as 0.
    _global.kvChartSeries = function (data, names) {
        var rows = data == undefined ? [] : data;
        var nRows = rows.length, nCols = 0;
        for (var r = 0; r < nRows; r++) {
            if (!(rows[r] instanceof Array))
                rows[r] = [rows[r]];
            nCols = Math.max(nCols, rows[r].length);
        }
        var byRows = names == undefined || names.length == 0 || names.length == nRows || names.length != nCols;
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
    // typed minimum and maximum ("minY", "maxY", "minX", "maxX") whatever the data, "growth"
    // only ever widens the scale the chart showed before (so an animated value does not make it
    // jump back and forth), "full" fits the data on every recalculation. A fixed pair that is
    // no range (maximum not above the minimum) falls back to the data's scale.
    _global.kvAxisScale = function (chart, lo, hi, axis) {
        if (chart.autofocus == "off") {
            var fixedLo = kvNumber(chart["min" + axis], NaN), fixedHi = kvNumber(chart["max" + axis], NaN);
            if (fixedHi > fixedLo) {
                var fixed = kvNiceScale(fixedLo, fixedHi);
                return [fixedLo, fixedHi, fixed[2]];
            }
        }
        var scale = kvNiceScale(lo, hi);
        if (chart.autofocus == "growth") {
            var seen = chart["kvGrown" + axis];
            if (seen != undefined)
                scale = kvNiceScale(Math.min(seen[0], scale[0]), Math.max(seen[1], scale[1]));
            chart["kvGrown" + axis] = scale;
        }
        return scale;
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

    // The fill and border colour of an area (the chart's back, its plot): from its settings
    // group ("backgroundProps", "plotAreaProps": "showFill", "fillColor", "showBorder",
    // "borderColor") when the chart has one, else from the older flat switches and colours.
    _global.kvAreaColours = function (props, showFill, fill, showBorder, border) {
        if (props != undefined)
            return [props.showFill == false ? undefined : props.fillColor, props.showBorder == false ? undefined : props.borderColor];
        return [showFill == false ? undefined : fill, showBorder == false ? undefined : border];
    };

    // The title's alignment: "left" or "right" as set, else centred.
    _global.kvTitleAlign = function (chart) {
        var align = chart.chartTitleAlign;
        return align == "left" || align == "right" ? align : "center";
    };

    // Draws a pie chart of the first series: one slice per category, clockwise from the top in
    // the pie colours, with the category labels in the legend.
    _global.kvDrawPieChart = function () {
        var w = this.kvW, h = this.kvH;
        var back = this.kvClip("kvBack");
        var area = kvAreaColours(this.backgroundProps, this.showChartFill, this.chartFillColor, this.showChartBorder, this.chartBorderColor);
        kvRect(back, 0, 0, w - 1, h - 1, area[0], area[1]);
        var top = 4;
        var title = this.showTitles == false ? "" : this.chartTitle;
        this.kvText("kvTitle", 0, top, w, 20, title, this.titleTextFormat, kvTitleAlign(this));
        top += title == undefined || title == "" ? 0 : 20;
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
        var r = Math.max(Math.min((w - legendW) / 2, (h - top) / 2) - 8, 4);
        var cx = (w - legendW) / 2, cy = top + (h - top) / 2;
        this.kvPieCentre = [cx, cy, r];
        var pie = this.kvClip("kvPie");
        var largest = 0;
        for (var g = 0; g < values.length; g++)
            largest = Math.max(largest, values[g]);
        this.kvAlertRange = [0, largest];
        this.kvSlices = [];
        var start = 0;
        for (var j = 0; j < values.length; j++) {
            var sweep = total > 0 ? Math.max(values[j], 0) / total * 360 : 0;
            this.kvSlices.push([Math.round(start * 100) / 100, Math.round(sweep * 100) / 100]);
            if (sweep > 0) {
                pie.lineStyle(0, 0xFFFFFF, 100);
                pie.beginFill(this.kvAlertFill(values[j], kvSeriesColor(this, j), j), 100);
                pie.moveTo(cx, cy);
                var parts = Math.ceil(sweep / 5);
                for (var k = 0; k <= parts; k++) {
                    var pnt = kvPolar(cx, cy, r, start + sweep * k / parts);
                    pie.lineTo(pnt[0], pnt[1]);
                }
                pie.lineTo(cx, cy);
                pie.endFill();
            }
            start += sweep;
        }
        var labels = this.categoryLabels;
        for (var n = 0; n < values.length && legendW > 0; n++) {
            var ly = top + 8 + n * 18;
            kvRect(pie, w - legendW, ly + 4, 10, 10, this.kvAlertFill(values[n], kvSeriesColor(this, n), n), undefined);
            this.kvText("kvLegend" + n, w - legendW + 14, ly, legendW - 16, 18,
                        labels != undefined && labels[n] != undefined ? labels[n] : String(n + 1), this.legendTextFormat, "left");
        }
    };


    // The chart's back, its title and subtitle (cells or typed texts) across the top; gives the
    // height they take.
    _global.kvChartFrame = function (chart) {
        var w = chart.kvW, h = chart.kvH;
        var back = chart.kvClip("kvBack");
        var area = kvAreaColours(chart.backgroundProps, chart.showChartFill, chart.chartFillColor, chart.showChartBorder, chart.chartBorderColor);
        kvRect(back, 0, 0, w - 1, h - 1, area[0], area[1]);
        var top = 4;
        // "showTitles" off hides the title and the subtitle.
        var shown = chart.showTitles != false;
        var title = shown ? chart.chartTitle : "";
        chart.kvText("kvTitle", 0, top, w, 20, title, chart.titleTextFormat, kvTitleAlign(chart));
        top += title == undefined || title === "" ? 0 : 20;
        var sub = shown ? chart.chartSubTitle : "";
        chart.kvText("kvSubTitle", 0, top, w, 18, sub, chart.subTitleTextFormat, kvTitleAlign(chart));
        top += sub == undefined || sub === "" ? 0 : 16;
        return top;
    };

    // The legend's width: its longest name and swatch, between a fifth and three tenths of the
    // chart (at most 120 pixels); 0 while "showLegend" is off.
    _global.kvLegendWidth = function (chart, count) {
        if (chart.showLegend != true)
            return 0;
        var widest = 0;
        for (var n = 0; n < count; n++) {
            var name = chart.seriesNames != undefined && chart.seriesNames[n] != undefined ? chart.seriesNames[n] : "Series" + (n + 1);
            var field = chart.kvText("kvLegend" + n, 0, 0, 200, 18, name, chart.legendTextFormat, "left");
            widest = Math.max(widest, field.textWidth);
        }
        var w = chart.kvW;
        return Math.round(Math.min(Math.min(Math.max(widest + 22, w * 0.2), w * 0.3), 120));
    };

    // The legend: a swatch and a name per series down the right edge, from y.
    _global.kvChartLegend = function (chart, legendW, y, count) {
        var legend = chart.kvClip("kvLegend");
        for (var n = 0; n < count && legendW > 0; n++) {
            var ly = y + n * 18;
            kvRect(legend, chart.kvW - legendW, ly + 4, 10, 10, kvSeriesColor(chart, n), undefined);
            var name = chart.seriesNames != undefined && chart.seriesNames[n] != undefined ? chart.seriesNames[n] : "Series" + (n + 1);
            chart.kvText("kvLegend" + n, chart.kvW - legendW + 14, ly, legendW - 16, 18, name, chart.legendTextFormat, "left");
        }
        chart.kvClearTexts("kvLegend", legendW > 0 ? count : 0);
    };

    // The width the labels of a vertical value scale need: the widest label, up to a third of
    // the chart ("$250,000" does not fit in the usual 40 pixels).
    _global.kvScaleLabelsWidth = function (chart, scale, prefix, format) {
        var width = 40, ticks = Math.round((scale[1] - scale[0]) / scale[2]);
        for (var t = 0; t <= ticks; t++) {
            var measured = chart.kvText(prefix + t, 0, 0, chart.kvW, 18, kvShowNumber(scale[0] + t * scale[2], format),
                                        chart.YAxisTextFormat, "right");
            width = Math.max(width, Math.ceil(measured.textWidth) + 6);
        }
        return Math.min(width, Math.round(chart.kvW / 3));
    };

    // Grid lines and labels of a value scale along the plot [px, py, pw, ph]: across the plot
    // when horizontal, else up its side; the labels of a vertical scale stand left of the plot,
    // or right of it when right is set (a second axis, which draws no grid).
    _global.kvDrawValueScale = function (chart, grid, plot, scale, horizontal, prefix, labelsW, right) {
        var lo = scale[0], hi = scale[1], step = scale[2];
        var px = plot[0], py = plot[1], pw = plot[2], ph = plot[3];
        var ticks = Math.round((hi - lo) / step);
        // The major gridlines across the value axis: horizontal ones are the Y axis's
        // ("showYAxisMajor", "YAxisMajorColor"), vertical ones (a bar chart's) the X axis's;
        // a chart without them keeps "showHMajGrid" and "hMajGridColor".
        var key = horizontal ? "XAxisMajor" : "YAxisMajor";
        var gridOn = (chart["show" + key] != undefined ? chart["show" + key] == true : chart.showHMajGrid != false) && !right;
        var gridColour = chart[key + "Color"] != undefined ? chart[key + "Color"]
                         : (chart.hMajGridColor == undefined ? 0xDDDDDD : chart.hMajGridColor);
        // Labels across the plot that would run into each other show one in every few ticks.
        var every = 1;
        if (horizontal && ticks > 0) {
            var widest = 0;
            for (var m = 0; m <= ticks; m++) {
                var probe = chart.kvText(prefix + m, 0, 0, 200, 18, kvShowNumber(lo + m * step, chart.formatValue),
                                         chart.XAxisTextFormat, "center");
                widest = Math.max(widest, probe.textWidth);
            }
            every = Math.max(Math.ceil((widest + 6) / (pw / ticks)), 1);
        }
        for (var t = 0; t <= ticks; t++) {
            var v = lo + t * step, f = (v - lo) / (hi - lo);
            if (f > 1.0000001)
                break;
            var label = kvShowNumber(v, chart.formatValue);
            if (horizontal) {
                var gx = px + f * pw;
                if (gridOn) {
                    grid.lineStyle(0, gridColour, 100);
                    grid.moveTo(gx, py);
                    grid.lineTo(gx, py + ph);
                }
                chart.kvText(prefix + t, gx - 30, py + ph + 2, 60, 18, t % every == 0 ? label : "", chart.XAxisTextFormat, "center");
            } else {
                var gy = py + ph - f * ph;
                if (gridOn) {
                    grid.lineStyle(0, gridColour, 100);
                    grid.moveTo(px, gy);
                    grid.lineTo(px + pw, gy);
                }
                if (right)
                    chart.kvText(prefix + t, px + pw + 4, gy - 9, labelsW, 18, label, chart.YAxisTextFormat, "left");
                else
                    chart.kvText(prefix + t, 0, gy - 9, labelsW, 18, label, chart.YAxisTextFormat, "right");
            }
        }
        chart.kvClearTexts(prefix, t);
    };

    // The axis titles ("XAxisTitle" under the plot, "YAxisTitle" over the value labels).
    _global.kvAxisTitles = function (chart, plot) {
        chart.kvText("kvXTitle", plot[0], chart.kvH - 18, plot[2], 18, chart.XAxisTitle, chart.XAxisTitleTextFormat, "center");
        chart.kvText("kvYTitle", 2, plot[1] - 18, Math.max(plot[0] + plot[2] / 2, 10), 18, chart.YAxisTitle,
                     chart.YAxisTitleTextFormat, "left");
    };

    _global.kvHasText = function (v) {
        return v != undefined && v !== "";
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
        var labelsW = horizontal ? Math.min(Math.round(w * 0.2), 80) : kvScaleLabelsWidth(this, scale, "kvTick", this.formatValue);
        var labels2W = second ? kvScaleLabelsWidth(this, scale2, "kvTickR", this.formatValue) : 0;
        var yTitle = kvHasText(this.YAxisTitle) ? 16 : 0, xTitle = kvHasText(this.XAxisTitle) ? 16 : 0;
        var px = labelsW + 6, py = top + 6 + yTitle, pw = w - px - legendW - 10 - labels2W, ph = h - py - 24 - xTitle;
        if (pw < 10 || ph < 10)
            return;
        var plotArea = [px, py, pw, ph];
        this.kvPlotArea = plotArea;
        var plot = this.kvClip("kvPlot");
        var plotColours = kvAreaColours(this.plotAreaProps, this.showPlotFill, this.plotFillColor, this.showPlotBorder, this.plotBorderColor);
        kvRect(plot, px, py, pw, ph, plotColours[0], plotColours[1]);
        var grid = this.kvClip("kvGrid");
        kvDrawValueScale(this, grid, plotArea, scale, horizontal, "kvTick", labelsW, false);
        if (second)
            kvDrawValueScale(this, grid, plotArea, scale2, false, "kvTickR", labels2W, true);
        else
            this.kvClearTexts("kvTickR", 0);
        // Bars: categories side by side, the series of a category next to each other (on each
        // other when stacked).
        var bars = this.kvClip("kvBarsClip");
        var span = (horizontal ? ph : pw) / Math.max(nPoints, 1);
        var barSize = span * 0.7 / Math.max(stacked ? 1 : nColumns, 1);
        var zero = (Math.min(Math.max(0, lo), hi) - lo) / (hi - lo);
        this.kvBars = [];
        this.kvPoints = [];
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
                    rect = [px + a * pw, py + p * span + span * 0.15 + at * barSize, (e - a) * pw, barSize];
                else
                    rect = [px + p * span + span * 0.15 + at * barSize, py + ph - e * ph, barSize, (e - a) * ph];
                kvRect(bars, rect[0], rect[1], rect[2], rect[3], kvItemColor(this, series, s, p), undefined);
                this.kvBars.push(rect);
            }
            column++;
        }
        // Lines over the bars, with a marker at each point.
        for (var s = 0; s < nSeries; s++) {
            if (!isLine[s])
                continue;
            var sc = second ? scale2 : scale;
            var first = this.kvPoints.length;
            bars.lineStyle(kvNumber(this.lineWeight, 2), kvSeriesColor(this, s), 100);
            for (var p = 0; p < nPoints; p++) {
                var f = Math.min(Math.max((series[s][p] - sc[0]) / (sc[1] - sc[0]), 0), 1);
                var lx = px + (p + 0.5) * span, ly = py + ph - f * ph;
                if (p == 0)
                    bars.moveTo(lx, ly);
                else
                    bars.lineTo(lx, ly);
                this.kvPoints.push([lx, ly]);
            }
            for (var m = 0; m < nPoints; m++) {
                var pt = this.kvPoints[first + m];
                bars.lineStyle();
                bars.beginFill(kvItemColor(this, series, s, m), 100);
                kvCircle(bars, pt[0], pt[1], 3);
                bars.endFill();
            }
        }
        // Category labels along the other axis.
        var names = this.categoryLabels;
        for (var q = 0; q < nPoints; q++) {
            var text = names != undefined && names[q] != undefined ? names[q] : String(q + 1);
            if (horizontal)
                this.kvText("kvCat" + q, 0, py + q * span, labelsW, span, text, this.XAxisTextFormat, "right");
            else
                this.kvText("kvCat" + q, px + q * span, py + ph + 2, span, 18, text, this.XAxisTextFormat, "center");
        }
        this.kvClearTexts("kvCat", nPoints);
        kvAxisTitles(this, plotArea);
        kvChartLegend(this, legendW, py, nSeries);
    };

    // The lines of the data block (rows, or columns when there are more rows than columns) as
    // the series of an XY chart: with one line its values are Y values over 1, 2, 3...; with
    // more the first holds the X values and each other a series' Y values. A bubble chart takes
    // the lines in pairs of Y values and sizes, after a first line of X values when their
    // count is odd. Each series is [xs, ys, sizes].
    _global.kvXYSeries = function (data, bubble) {
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
    // radius of "maxBubbleSize" percent of the plot's shorter side). kvPoints keeps each point,
    // kvBubbles each bubble's [x, y, radius], series by series.
    _global.kvDrawXYChart = function (bubble) {
        var w = this.kvW, h = this.kvH;
        var top = kvChartFrame(this);
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
        this.kvAlertRange = [ys[0], ys[1]];
        var legendW = kvLegendWidth(this, series.length);
        var labelsW = kvScaleLabelsWidth(this, ys, "kvTick", this.formatValue);
        var yTitle = kvHasText(this.YAxisTitle) ? 16 : 0, xTitle = kvHasText(this.XAxisTitle) ? 16 : 0;
        var px = labelsW + 6, py = top + 6 + yTitle, pw = w - px - legendW - 16, ph = h - py - 24 - xTitle;
        if (pw < 10 || ph < 10)
            return;
        var plotArea = [px, py, pw, ph];
        this.kvPlotArea = plotArea;
        var plot = this.kvClip("kvPlot");
        var plotColours = kvAreaColours(this.plotAreaProps, this.showPlotFill, this.plotFillColor, this.showPlotBorder, this.plotBorderColor);
        kvRect(plot, px, py, pw, ph, plotColours[0], plotColours[1]);
        var grid = this.kvClip("kvGrid");
        kvDrawValueScale(this, grid, plotArea, ys, false, "kvTick", labelsW, false);
        kvDrawValueScale(this, grid, plotArea, xs, true, "kvCat", 60, false);
        var marks = this.kvClip("kvMarks");
        var maxR = Math.min(pw, ph) * kvNumber(this.maxBubbleSize, 12) / 100;
        this.kvPoints = [];
        this.kvBubbles = [];
        var size = kvNumber(this.markerSize, 6);
        for (var s = 0; s < series.length; s++) {
            var xv = series[s][0], yv = series[s][1];
            for (var p = 0; p < yv.length; p++) {
                var fx = (xv[p] - xs[0]) / (xs[1] - xs[0]), fy = (yv[p] - ys[0]) / (ys[1] - ys[0]);
                if (fx < -0.0000001 || fx > 1.0000001 || fy < -0.0000001 || fy > 1.0000001)
                    continue;
                var x = px + fx * pw, y = py + ph - fy * ph;
                this.kvPoints.push([x, y]);
                var colour = series.length == 1 ? this.kvAlertFill(yv[p], kvSeriesColor(this, s), p) : kvSeriesColor(this, s);
                if (bubble) {
                    var r = largest > 0 ? maxR * Math.sqrt(Math.abs(series[s][2][p]) / largest) : 0;
                    this.kvBubbles.push([x, y, r]);
                    if (r > 0) {
                        marks.lineStyle(0, 0xFFFFFF, 100);
                        marks.beginFill(colour, kvNumber(this.markerAlpha, 75));
                        kvCircle(marks, x, y, r);
                        marks.endFill();
                    }
                } else {
                    marks.lineStyle();
                    marks.beginFill(colour, 100);
                    kvCircle(marks, x, y, size / 2);
                    marks.endFill();
                }
            }
        }
        kvAxisTitles(this, plotArea);
        kvChartLegend(this, legendW, py, series.length);
    };
}

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
        if (hi == lo)
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

    // A chart of one series with alerts on colours each item by its alert band instead.
    _global.kvItemColor = function (chart, series, s, p) {
        var colour = kvSeriesColor(chart, s);
        return series.length == 1 ? chart.kvAlertFill(series[0][p], colour, p) : colour;
    };

    _global.kvSeriesColor = function (chart, s) {
        var colors = chart.seriesColors;
        if (colors != undefined && colors.length > 0)
            return colors[s % colors.length];
        var fallback = [0x3366CC, 0xDC3912, 0xFF9900, 0x109618, 0x990099, 0x0099C6];
        return fallback[s % fallback.length];
    };

    // Draws a pie chart of the first series: one slice per category, clockwise from the top in
    // the pie colours, with the category labels in the legend.
    _global.kvDrawPieChart = function () {
        var w = this.kvW, h = this.kvH;
        var back = this.kvClip("kvBack");
        kvRect(back, 0, 0, w - 1, h - 1, this.showChartFill == false ? undefined : this.chartFillColor,
               this.showChartBorder == false ? undefined : this.chartBorderColor);
        var top = 4;
        this.kvText("kvTitle", 0, top, w, 20, this.chartTitle, this.titleTextFormat, "center");
        top += this.chartTitle == undefined || this.chartTitle == "" ? 0 : 20;
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

    // Draws a column (vertical bars), bar (horizontal bars) or, with lines, line chart.
    _global.kvDrawCategoryChart = function (horizontal, lines) {
        var w = this.kvW, h = this.kvH;
        var back = this.kvClip("kvBack");
        kvRect(back, 0, 0, w - 1, h - 1, this.showChartFill == false ? undefined : this.chartFillColor,
               this.showChartBorder == false ? undefined : this.chartBorderColor);
        var top = 4;
        this.kvText("kvTitle", 0, top, w, 20, this.chartTitle, this.titleTextFormat, "center");
        top += this.chartTitle == undefined || this.chartTitle == "" ? 0 : 20;
        var series = kvChartSeries(this.dataValues, this.seriesNames);
        var scale = kvChartScale(series);
        var lo = scale[0], hi = scale[1], step = scale[2];
        this.kvAlertRange = [lo, hi];
        var ticks = Math.round((hi - lo) / step);
        var legendW = this.showLegend == true ? Math.min(Math.round(w * 0.25), 120) : 0;
        var labelsW = horizontal ? Math.min(Math.round(w * 0.2), 80) : 40;
        if (!horizontal) {
            // The value labels left of the plot take the width of the widest ("$250,000" does
            // not fit in the usual 40 pixels), up to a third of the chart.
            for (var lt = 0; lt <= ticks; lt++) {
                var measured = this.kvText("kvTick" + lt, 0, 0, w, 18, kvShowNumber(lo + lt * step, this.formatValue),
                                           this.YAxisTextFormat, "right");
                labelsW = Math.max(labelsW, Math.ceil(measured.textWidth) + 6);
            }
            labelsW = Math.min(labelsW, Math.round(w / 3));
        }
        var px = labelsW + 6, py = top + 6, pw = w - px - legendW - 10, ph = h - py - 24;
        if (pw < 10 || ph < 10)
            return;
        this.kvPlotArea = [px, py, pw, ph];
        var plot = this.kvClip("kvPlot");
        kvRect(plot, px, py, pw, ph, this.showPlotFill == false ? undefined : this.plotFillColor,
               this.showPlotBorder == false ? undefined : this.plotBorderColor);
        // Grid lines and value labels.
        var grid = this.kvClip("kvGrid");
        for (var t = 0; t <= ticks; t++) {
            var v = lo + t * step, f = (v - lo) / (hi - lo);
            var label = kvShowNumber(v, this.formatValue);
            if (horizontal) {
                var gx = px + f * pw;
                if (this.showHMajGrid != false) {
                    grid.lineStyle(0, this.hMajGridColor == undefined ? 0xDDDDDD : this.hMajGridColor, 100);
                    grid.moveTo(gx, py);
                    grid.lineTo(gx, py + ph);
                }
                this.kvText("kvTick" + t, gx - 30, py + ph + 2, 60, 18, label, this.YAxisTextFormat, "center");
            } else {
                var gy = py + ph - f * ph;
                if (this.showHMajGrid != false) {
                    grid.lineStyle(0, this.hMajGridColor == undefined ? 0xDDDDDD : this.hMajGridColor, 100);
                    grid.moveTo(px, gy);
                    grid.lineTo(px + pw, gy);
                }
                this.kvText("kvTick" + t, 0, gy - 9, labelsW, 18, label, this.YAxisTextFormat, "right");
            }
        }
        this.kvClearTexts("kvTick", ticks + 1);
        // Bars: categories side by side, the series of a category next to each other.
        var bars = this.kvClip("kvBarsClip");
        var nSeries = series.length, nPoints = nSeries > 0 ? series[0].length : 0;
        var span = (horizontal ? ph : pw) / Math.max(nPoints, 1);
        var barSize = span * 0.7 / Math.max(nSeries, 1);
        var zero = (0 - lo) / (hi - lo);
        this.kvBars = [];
        this.kvPoints = [];
        for (var s = 0; s < nSeries && lines; s++) {
            bars.lineStyle(kvNumber(this.lineWeight, 2), kvSeriesColor(this, s), 100);
            for (var p = 0; p < nPoints; p++) {
                var lx = px + (p + 0.5) * span, ly = py + ph - (series[s][p] - lo) / (hi - lo) * ph;
                if (p == 0)
                    bars.moveTo(lx, ly);
                else
                    bars.lineTo(lx, ly);
                this.kvPoints.push([lx, ly]);
            }
            for (var m = 0; m < nPoints; m++) {
                var pt = this.kvPoints[s * nPoints + m];
                bars.lineStyle();
                bars.beginFill(kvItemColor(this, series, s, m), 100);
                kvCircle(bars, pt[0], pt[1], 3);
                bars.endFill();
            }
        }
        for (var s = 0; s < nSeries && !lines; s++) {
            for (var p = 0; p < nPoints; p++) {
                var fv = (series[s][p] - lo) / (hi - lo);
                var a = Math.min(fv, zero), b = Math.max(fv, zero);
                var rect;
                if (horizontal)
                    rect = [px + a * pw, py + p * span + span * 0.15 + s * barSize, (b - a) * pw, barSize];
                else
                    rect = [px + p * span + span * 0.15 + s * barSize, py + ph - b * ph, barSize, (b - a) * ph];
                kvRect(bars, rect[0], rect[1], rect[2], rect[3], kvItemColor(this, series, s, p), undefined);
                this.kvBars.push(rect);
            }
        }
        // Category labels along the other axis.
        var labels = this.categoryLabels;
        for (var q = 0; q < nPoints; q++) {
            var text = labels != undefined && labels[q] != undefined ? labels[q] : String(q + 1);
            if (horizontal)
                this.kvText("kvCat" + q, 0, py + q * span, labelsW, span, text, this.XAxisTextFormat, "right");
            else
                this.kvText("kvCat" + q, px + q * span, py + ph + 2, span, 18, text, this.XAxisTextFormat, "center");
        }
        // Legend: a swatch and the name of each series.
        var legend = this.kvClip("kvLegend");
        if (legendW > 0) {
            for (var n = 0; n < nSeries; n++) {
                var ly = py + n * 18;
                kvRect(legend, w - legendW, ly + 4, 10, 10, kvSeriesColor(this, n), undefined);
                var name = this.seriesNames != undefined ? this.seriesNames[n] : "Series" + (n + 1);
                this.kvText("kvLegend" + n, w - legendW + 14, ly, legendW - 16, 18, name, this.legendTextFormat, "left");
            }
        }
    };
}

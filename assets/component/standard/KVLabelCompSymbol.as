// Label: the text of "labelValue" (typed or from a cell) in the cell-like format of
// "formatValue": font, alignment, wrapping, fill, borders and number format, with scroll bars
// by its Behavior page.
#include "shared/scrollbar.as"

var label = kvDefineComponent("KVLabelCompSymbol", 150, 30, function () {
    var w = this.kvW, h = this.kvH, f = this.formatValue == undefined ? {} : this.formatValue;
    var back = this.kvClip("kvBack");
    if (f.Pattern == true)
        kvRect(back, 0, 0, w, h, f.InteriorColor, undefined);
    // Each edge: whether it is drawn, its weight, its colour and its ends.
    var edges = [[f.BEdgeTopLineStyle, f.BEdgeTopWeight, f.BEdgeTopColor, 0, 0, w, 0],
                 [f.BEdgeBotLineStyle, f.BEdgeBotWeight, f.BEdgeBotColor, 0, h, w, h],
                 [f.BEdgeLtLineStyle, f.BEdgeLtWeight, f.BEdgeLtColor, 0, 0, 0, h],
                 [f.BEdgeRtLineStyle, f.BEdgeRtWeight, f.BEdgeRtColor, w, 0, w, h]];
    for (var i = 0; i < edges.length; i++) {
        var e = edges[i];
        if (e[0] == true) {
            back.lineStyle(Math.max(kvNumber(e[1], 1) - 1, 0), e[2], 100);
            back.moveTo(e[3], e[4]);
            back.lineTo(e[5], e[6]);
        }
    }
    var style = f.FontStyle == undefined ? "" : String(f.FontStyle).toLowerCase();
    var format = {font: f.FontName, size: f.FontSize, color: f.FontColor, underline: f.FUnderline == true,
                  bold: style.indexOf("bold") >= 0, italic: style.indexOf("italic") >= 0};
    var text = kvShowNumber(this.labelValue, f.numFormat);
    var field = this.kvText("kvLabel", 2, 1, w - 4, h - 2, text, format, f.HAlign == undefined ? "left" : f.HAlign);
    field.wordWrap = f.AWrapText == true;
    field.multiline = f.AWrapText == true;
    field.text = text;
    field.setTextFormat(kvTextFormat(format, f.HAlign == undefined ? "left" : f.HAlign));
    // Text longer or wider than the label scrolls by its bars (shared/scrollbar.as).
    var owner = this;
    field.onScroller = function () { owner.kvDrawScrollBar(); };
    this.kvDrawScrollBar();
}, {kvDrawScrollBar: function () {
    var bars = kvScrollBars(this, this.kvLabel, this.kvW - 2, this.kvH - 1);
    return bars;
}});
label.kvWatch = ["labelValue"];
// The class keeps what it needs: the variable would hide a placed clip of the same name.
delete label;

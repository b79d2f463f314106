// Label: the text of "labelValue" (typed or from a cell) in the cell-like format of
// "formatValue": font, alignment, wrapping, fill, borders and number format.
#include "shared/component.as"

var label = kvDefineComponent("KVLabelCompSymbol", 150, 30, function () {
    var w = this.kvW, h = this.kvH, f = this.formatValue == undefined ? {} : this.formatValue;
    var back = this.kvClip("kvBack");
    if (f.Pattern == true)
        kvRect(back, 0, 0, w, h, f.InteriorColor, undefined);
    var edges = [["Top", 0, 0, w, 0], ["Bot", 0, h, w, h], ["Lt", 0, 0, 0, h], ["Rt", w, 0, w, h]];
    for (var i = 0; i < edges.length; i++) {
        var e = edges[i];
        if (f["BEdge" + e[0] + "LineStyle"] == true) {
            back.lineStyle(Math.max(kvNumber(f["BEdge" + e[0] + "Weight"], 1) - 1, 0), f["BEdge" + e[0] + "Color"], 100);
            back.moveTo(e[1], e[2]);
            back.lineTo(e[3], e[4]);
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
});
label.kvWatch = ["labelValue"];
// The class keeps what it needs: the variable would hide a placed clip of the same name.
delete label;

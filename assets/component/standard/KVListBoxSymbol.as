// List box: the "labels" one a row under a title, the chosen one ("selectIdx") marked; a click
// on a row chooses it and inserts it into the cells by the insert option (shared/selector.as).
// Rows past the box's height scroll with the mouse wheel. Rows stand "itemSeparation" pixels
// apart, on their fills or, with "useLabelArt", their plates; "labelAlign" places their text and
// the label shifts move it. The title stands above the rows, or below them ("titlePosition").
#include "shared/selector.as"

var list = kvDefineComponent("KVListBoxSymbol", 150, 120, function () {
    kvSelectorFollow(this);
    var w = this.kvW, h = this.kvH;
    var labels = this.labels == undefined ? [] : this.labels;
    var titleText = kvSelectorTitleText(this);
    var titleH = titleText == "" ? 0 : this.kvTitleHeight(titleText, kvSelectorTitleFormat(this), 18);
    var below = kvSelectorTitleBelow(this), top = below ? 0 : titleH;
    var rowH = 18, gap = kvItemGap(this), step = rowH + gap;
    var align = this.labelAlign == undefined ? "left" : String(this.labelAlign);
    var visible = Math.max(Math.floor((h - titleH - 2 + gap) / step), 1);
    var first = Math.min(Math.max(kvNumber(this.kvFirst, 0), 0), Math.max(labels.length - visible, 0));
    this.kvFirst = first;
    var index = kvNumber(this.selectIdx, 0);
    var box = this.kvClip("kvRows");
    var art = this.useLabelArt == true;
    kvRect(box, 0, top, w - 1, h - titleH - 1, art || this.defaultFillColor == undefined ? 0xFFFFFF : this.defaultFillColor,
           this.borderColor);
    for (var i = 0; i < visible; i++) {
        var n = first + i;
        if (n < labels.length && (art || n == index))
            kvLabelFill(box, this, 1, top + 1 + i * step, w - 3, rowH, n == index);
        kvSelectorLabelAt(this, "kvRow" + i, 3, top + 1 + i * step, w - 6, rowH, n < labels.length ? kvSelectorLabel(this, labels[n]) : "",
                    n == index ? kvSelectorChosenFormat(this, this.labelTextFormat) : this.labelTextFormat, align);
    }
    var owner = this;
    box.onRelease = function () {
        var picked = owner.kvFirst + Math.floor((owner._ymouse - top - 1) / step);
        if (picked >= 0 && picked < labels.length)
            kvSelectorInsert(owner, picked);
    };
    kvSelectorTitleAt(this, "kvTitle", 0, below ? h - titleH : 0, w, titleH, kvSelectorTitleText(this), kvSelectorTitleFormat(this),
                      "left");
});
list.kvWatch = ["selectIdx"];
// The class keeps what it needs: the variable would hide a placed clip of the same name.
delete list;

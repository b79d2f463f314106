// List box: the "labels" one a row under a title, the chosen one ("selectIdx") marked; a click
// on a row chooses it and inserts it into the cells by the insert option (shared/selector.as).
// Rows past the box's height scroll with the mouse wheel.
#include "shared/selector.as"

var list = kvDefineComponent("KVListBoxSymbol", 150, 120, function () {
    var w = this.kvW, h = this.kvH;
    var labels = this.labels == undefined ? [] : this.labels;
    var titleH = kvSelectorTitleText(this) == "" ? 0 : 18;
    var rowH = 18;
    var visible = Math.max(Math.floor((h - titleH - 2) / rowH), 1);
    var first = Math.min(Math.max(kvNumber(this.kvFirst, 0), 0), Math.max(labels.length - visible, 0));
    this.kvFirst = first;
    var index = kvNumber(this.selectIdx, 0);
    var box = this.kvClip("kvRows");
    kvRect(box, 0, titleH, w - 1, h - titleH - 1, this.defaultFillColor == undefined ? 0xFFFFFF : this.defaultFillColor,
           this.borderColor);
    for (var i = 0; i < visible; i++) {
        var n = first + i;
        if (n == index && n < labels.length)
            kvRect(box, 1, titleH + 1 + i * rowH, w - 3, rowH, this.selectedFillColor, undefined);
        this.kvText("kvRow" + i, 3, titleH + 1 + i * rowH, w - 6, rowH, n < labels.length ? kvSelectorLabel(this, labels[n]) : "",
                    n == index ? kvSelectorChosenFormat(this, this.labelTextFormat) : this.labelTextFormat, "left");
    }
    var owner = this;
    box.onRelease = function () {
        var picked = owner.kvFirst + Math.floor((owner._ymouse - titleH - 1) / rowH);
        if (picked >= 0 && picked < labels.length)
            kvSelectorInsert(owner, picked);
    };
    kvSelectorTitleAt(this, "kvTitle", 0, 0, w, titleH, kvSelectorTitleText(this), kvSelectorTitleFormat(this), "left");
});
list.kvWatch = ["selectIdx"];
// The class keeps what it needs: the variable would hide a placed clip of the same name.
delete list;

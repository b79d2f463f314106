// Text area: a field of several lines the user types into. It starts with "defaultText" (a cell
// or a typed text), or with what its "insertInto" cell holds once that holds something; leaving
// the field inserts the text into that cell (a number when it reads as one). Enter starts a new
// line. "insertLoad" writes the default text into the cell as the movie starts. "html" takes
// the text as HTML. Its scroll bars are those of shared/scrollbar.as.
#include "shared/scrollbar.as"

_global.kvHasValue = function (v) {
    return v != undefined && v !== "";
};

// The scroll bars (shared/scrollbar.as) over the whole area.
_global.kvTextAreaScrollBar = function () {
    return kvScrollBars(this, this.kvEdit, this.kvW, this.kvH);
};

_global.kvTextAreaTyped = function () {
    if (!this.kvEditing)
        return;
    this.kvEditing = false;
    var text = this.kvEdit.text;
    var n = Number(text);
    this.insertInto = text != "" && !isNaN(n) ? n : text;
    this.mc();
    this.kvCommit();
};

kvDefineComponent("KVTextAreaInputSymbol", 200, 100, function () {
    var w = this.kvW, h = this.kvH;
    // The fill stands behind the field (made first, so it lies below), so that its transparency
    // can show what lies under the area.
    var back = this.kvClip("kvBack");
    var field = this.kvEdit;
    if (field == undefined) {
        this.createTextField("kvEdit", this.kvNextDepth++, 0, 0, w, h);
        field = this.kvEdit;
        field.type = "input";
        field.multiline = true;
        field.border = true;
        var owner = this;
        field.onKillFocus = function () { owner.kvTyped(); };
        field.onChanged = function () {
            owner.kvEditing = true;
            owner.kvDrawScrollBar();
        };
        field.onScroller = function () { owner.kvDrawScrollBar(); };
        if (this.insertLoad == true && kvHasValue(this.defaultText)) {
            this.insertInto = this.defaultText;
            this.kvCommit();
        }
    }
    field.wordWrap = this.wordWrap == true;
    field.html = this.html == true;
    field.maxChars = this.useMaxChars == true ? kvNumber(this.maxChars, null) : null;
    field.borderColor = this.borderColor == undefined ? 0x666666 : this.borderColor;
    field.background = this.useCustomColor == true;
    field.backgroundColor = this.customColor == undefined ? 0xFFFFFF : this.customColor;
    var format = kvTextFormat(this.labelTextFormat, this.labelAlignment == undefined ? "left" : this.labelAlignment);
    field.setNewTextFormat(format);
    if (!this.kvEditing) {
        var shown = kvHasValue(this.insertInto) ? this.insertInto : this.defaultText;
        var text = shown == undefined ? "" : String(shown);
        if (field.html)
            field.htmlText = text;
        else
            field.text = text;
    }
    field.setTextFormat(format);
    this.kvFields.kvEdit = field.text;
    var bars = this.kvDrawScrollBar();
    if (this.useCustomColor == true && kvNumber(this.backTrans, 0) > 0) {
        field.background = false;
        back.lineStyle();
        back.beginFill(field.backgroundColor, 100 - kvNumber(this.backTrans, 0));
        kvRect(back, 0, 0, w - bars[0], h - bars[1], undefined, undefined);
        back.endFill();
    }
}, {kvWatch: ["insertInto", "defaultText"], kvDrawScrollBar: kvTextAreaScrollBar, kvTyped: kvTextAreaTyped});

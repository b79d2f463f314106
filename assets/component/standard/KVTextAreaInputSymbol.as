// Text area: a field of several lines the user types into. It starts with "defaultText" (a cell
// or a typed text), or with what its "insertInto" cell holds once that holds something; leaving
// the field inserts the text into that cell (a number when it reads as one). Enter starts a new
// line. "insertLoad" writes the default text into the cell as the movie starts. "html" takes
// the text as HTML. A scroll bar stands at the right while "vScrollBarBehavior" is "enabled",
// or "autoHide" and the text is longer than the field; kvScrollBar keeps its
// [x, y, w, h] or nothing.
#include "shared/component.as"

_global.kvHasValue = function (v) {
    return v != undefined && v !== "";
};

// The scroll bar's width: 12 pixels while it shows.
_global.kvTextAreaBarWidth = function () {
    var how = this.vScrollBarBehavior;
    if (how == "enabled")
        return 12;
    if (how == "autoHide" && this.kvEdit != undefined && this.kvEdit.maxscroll > 1)
        return 12;
    return 0;
};

// The scroll bar: a track and a knob whose place and length follow the field's scroll; a press
// on the track pages up or down.
_global.kvTextAreaScrollBar = function () {
    var field = this.kvEdit, bar = this.kvScrollBarWidth();
    if (field._width != this.kvW - bar)
        field._width = this.kvW - bar;
    var clip = this.kvClip("kvScroll");
    if (bar == 0) {
        this.kvScrollBar = undefined;
        return;
    }
    var x = this.kvW - bar, h = this.kvH;
    this.kvScrollBar = [x, 0, bar, h];
    var colour = this.useCustomScrollBarColor == true ? this.customScrollBarColor : 0xCCCCCC;
    kvRect(clip, x, 0, bar - 1, h - 1, 0xF2F2F2, 0x999999);
    var lines = field.maxscroll + field.bottomScroll - field.scroll;
    var shown = field.bottomScroll - field.scroll + 1;
    var knobH = Math.max(h * shown / Math.max(lines, 1), 10);
    var knobY = field.maxscroll > 1 ? (field.scroll - 1) / (field.maxscroll - 1) * (h - knobH) : 0;
    kvRect(clip, x + 2, knobY + 1, bar - 5, knobH - 2, colour, undefined);
    var owner = this;
    clip.onPress = function () {
        var page = Math.max(field.bottomScroll - field.scroll, 1);
        field.scroll = this._ymouse < knobY + knobH / 2 ? field.scroll - page : field.scroll + page;
        owner.kvDrawScrollBar();
    };
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
    var bar = this.kvScrollBarWidth();
    field._width = w - bar;
    field._height = h;
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
    if (this.useCustomColor == true && kvNumber(this.backTrans, 0) > 0) {
        field.background = false;
        back.lineStyle();
        back.beginFill(field.backgroundColor, 100 - kvNumber(this.backTrans, 0));
        kvRect(back, 0, 0, w - bar, h, undefined, undefined);
        back.endFill();
    }
    this.kvDrawScrollBar();
}, {kvWatch: ["insertInto", "defaultText"], kvScrollBarWidth: kvTextAreaBarWidth,
    kvDrawScrollBar: kvTextAreaScrollBar, kvTyped: kvTextAreaTyped});

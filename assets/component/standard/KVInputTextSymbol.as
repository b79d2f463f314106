// Input text: a label ("labelValue") and a field the user types into; Enter or leaving the
// field inserts the text into the "insertInto" cell (a number when it reads as one).
#include "shared/component.as"

var input = kvDefineComponent("KVInputTextSymbol", 200, 40, function () {
    var w = this.kvW, h = this.kvH;
    var labelH = this.labelValue == undefined || this.labelValue == "" ? 0 : 18;
    this.kvText("kvLabel", 0, 0, w, labelH, this.labelValue, this.labelTextFormat,
                this.labelAlignment == undefined ? "left" : this.labelAlignment);
    var field = this.kvEdit;
    if (field == undefined) {
        this.createTextField("kvEdit", this.kvNextDepth++, 0, labelH, w, h - labelH);
        field = this.kvEdit;
        field.type = "input";
        field.border = true;
        field.background = true;
        var owner = this;
        field.onKillFocus = function () { owner.kvTyped(); };
        var keys = {};
        keys.onKeyDown = function () {
            if (Key.getCode() == 13)
                owner.kvTyped();
        };
        Key.addListener(keys);
    }
    field.password = this.password == true;
    field.wordWrap = this.wordWrap == true;
    field.maxChars = this.useMaxChars == true ? kvNumber(this.maxChars, null) : null;
    if (this.restrict != undefined && this.restrict != "")
        field.restrict = this.restrict;
    field.borderColor = this.borderColor == undefined ? 0x666666 : this.borderColor;
    field.backgroundColor = this.useCustomColor == true ? this.customColor : 0xFFFFFF;
    if (!this.kvEditing) {
        var shown = this.insertInto;
        field.text = shown == undefined || shown === "" ? (this.defaultText == undefined ? "" : this.defaultText) : String(shown);
    }
    field.setNewTextFormat(kvTextFormat(this.textFormat, "left"));
    field.setTextFormat(kvTextFormat(this.textFormat, "left"));
    this.kvFields.kvEdit = field.text;
    field.onChanged = function () { field._parent.kvEditing = true; };
});
input.kvWatch = ["insertInto", "labelValue"];

input.kvTyped = function () {
    if (!this.kvEditing)
        return;
    this.kvEditing = false;
    var text = this.kvEdit.text;
    var n = Number(text);
    this.insertInto = text != "" && !isNaN(n) ? n : text;
    this.mc();
    this.kvCommit();
};
// The class keeps what it needs: the variable would hide a placed clip of the same name.
delete input;

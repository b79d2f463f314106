// Input text: a field the user types into, in its "labelTextFormat" font and "labelAlignment";
// Enter or leaving the field inserts the text into the "insertInto" cell (a number when it reads
// as one). Without "insertInto" the text goes into "labelValue", the insert cell of documents
// that name it so. Documents that keep both show "labelValue" as a label above the field, in
// the label font, and type in their own "textFormat".
#include "shared/component.as"

// The member the typed text goes into.
_global.kvInputTarget = function (clip) {
    return clip.insertInto == undefined && clip.labelValue != undefined ? "labelValue" : "insertInto";
};

var input = kvDefineComponent("KVInputTextSymbol", 200, 40, function () {
    var w = this.kvW, h = this.kvH;
    var align = this.labelAlignment == undefined ? "left" : this.labelAlignment;
    var label = kvInputTarget(this) == "insertInto" ? this.labelValue : undefined;
    var labelH = label == undefined || label == "" ? 0 : 18;
    this.kvText("kvLabel", 0, 0, w, labelH, label, this.labelTextFormat, align);
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
        var shown = this[kvInputTarget(this)];
        field.text = shown == undefined || shown === "" ? (this.defaultText == undefined ? "" : this.defaultText) : String(shown);
    }
    var typed = this.textFormat != undefined ? kvTextFormat(this.textFormat, "left") : kvTextFormat(this.labelTextFormat, align);
    field.setNewTextFormat(typed);
    field.setTextFormat(typed);
    this.kvFields.kvEdit = field.text;
    // Return reaches the key listener only in a movie of level 0: a movie the program's player
    // loads into a level of its own hears no keys. The field itself takes Return as a new line,
    // which is taken out again and commits the text.
    field.multiline = field.password != true;
    field.onChanged = function () {
        var owner = field._parent;
        owner.kvEditing = true;
        var text = field.text;
        if (text.indexOf("\r") < 0 && text.indexOf("\n") < 0)
            return;
        field.text = text.split("\r").join("").split("\n").join("");
        owner.kvTyped();
    };
});
input.kvWatch = ["insertInto", "labelValue"];

input.kvTyped = function () {
    if (!this.kvEditing)
        return;
    this.kvEditing = false;
    var text = this.kvEdit.text;
    var n = Number(text);
    this[kvInputTarget(this)] = text != "" && !isNaN(n) ? n : text;
    this.mc();
    this.kvCommit();
};
// The class keeps what it needs: the variable would hide a placed clip of the same name.
delete input;

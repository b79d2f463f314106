// The scroll edit every published movie carries: an input text field with a border that other
// components use for typed values; "text" holds what was typed.
#include "shared/component.as"

kvDefineComponent("FScrollEditSymbol", 100, 22, function () {
    var field = this.kvText("kvEdit", 0, 0, this.kvW, this.kvH, this.text, this.textFormat, "left");
    field.type = "input";
    field.selectable = true;
    field.border = true;
    // What the user types into an empty field takes the format too, not the player's default.
    field.setNewTextFormat(kvTextFormat(this.textFormat, "left"));
    var owner = this;
    field.onChanged = function () { owner.text = this.text; };
});

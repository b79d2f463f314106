// Push button: a raised button with its label ("title"); pressing it inserts item 1 ("On")
// into its cells, so a formula can count or react to the press. Its face is filled "defaultColor"
// ("Off Fill"), while pressed "selectColor" ("On Fill"), or shaded with "useDefaultArt"; documents
// from before those keep their "defaultFillColor" and "selectedFillColor".
#include "shared/selector.as"

var button = kvDefineComponent("KVPushButtonSymbol", 100, 30, function () {
    var w = this.kvW, h = this.kvH;
    var face = this.kvClip("kvFace");
    var down = this.kvDown == true;
    var plain = down ? (this.selectColor != undefined ? this.selectColor : this.selectedFillColor)
                     : (this.defaultColor != undefined ? this.defaultColor : this.defaultFillColor);
    face.lineStyle(0, this.borderColor == undefined ? 0x666666 : this.borderColor, 100);
    kvMarkerFill(face, this, 0, 0, w - 1, h - 1, down, plain == undefined ? 0xF4F4F4 : plain, false);
    kvSelectorRound(face, 0, 0, w - 1, h - 1, this.useDefaultArt == true ? 4 : 0);
    face.endFill();
    face.lineStyle(0, down ? 0x888888 : 0xFFFFFF, 100);
    face.moveTo(1, h - 2);
    face.lineTo(1, 1);
    face.lineTo(w - 2, 1);
    var owner = this;
    face.onPress = function () {
        owner.kvDown = true;
        owner.mc();
    };
    face.onRelease = function () {
        owner.kvDown = false;
        kvSelectorInsert(owner, 1);
    };
    face.onReleaseOutside = function () {
        owner.kvDown = false;
        owner.mc();
    };
    this.kvText("kvLabel", 0, Math.round((h - 18) / 2), w, 18, kvSelectorLabel(this, this.title), this.labelTextFormat, "center");
});
button.kvWatch = ["title"];
// The class keeps what it needs: the variable would hide a placed clip of the same name.
delete button;

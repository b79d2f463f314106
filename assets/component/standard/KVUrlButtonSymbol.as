// URL button: a button with its "label"; pressing it opens "url" in the window "windowName"
// ("_blank" a new window, "_self" this one, any other name that window). The address opened
// last stays in kvOpened. "showArt" draws the raised button (in "customColor" with
// "useCustomColor"); without it only the label shows, as a link would.
#include "shared/button.as"

var urlButton = kvDefineComponent("KVUrlButtonSymbol", 100, 30, function () {
    var w = this.kvW, h = this.kvH;
    var face = this.kvClip("kvFace");
    var fill = this.useCustomColor == true ? this.customColor : undefined;
    if (this.showArt != false)
        kvButtonFace(face, 0, 0, w, h, fill, this.borderColor, this.kvHeld == "face");
    else
        kvRect(face, 0, 0, w, h, 0xFFFFFF, undefined);
    // Without the button's art the face still takes the clicks, unseen.
    face._alpha = this.showArt == false ? 0 : 100;
    kvPressable(this, face, "face", function (owner) { owner.kvOpen(); });
    var align = this.labelAlignment == undefined ? "center" : String(this.labelAlignment).toLowerCase();
    // The label's line is as tall as its font needs, so a large size is not cut off.
    var f = this.labelTextFormat, lineH = Math.max(18, Math.round(kvNumber(f == undefined ? 11 : f.size, 11) * 1.3) + 4);
    this.kvText("kvLabel", 4, Math.round((h - lineH) / 2), w - 8, lineH, this.label, f, align);
});
urlButton.kvWatch = ["label", "url"];

urlButton.kvOpen = function () {
    var url = this.url == undefined ? "" : String(this.url);
    if (url == "")
        return;
    var target = this.windowName == undefined || this.windowName == "" ? "_blank" : String(this.windowName);
    this.kvOpened = url;
    getURL(url, target);
};
// The class keeps what it needs: the variable would hide a placed clip of the same name.
delete urlButton;

// Background: a filled, bordered panel other components stand on.
#include "shared/component.as"

kvDefineComponent("KVBackgroundSymbol", 200, 150, function () {
    var panel = this.kvClip("kvPanel");
    var thickness = Math.max(kvNumber(this.borderThickness, 1), 0);
    if (this.borderEnabled != false && thickness > 0)
        panel.lineStyle(thickness, this.borderColor == undefined ? 0x666666 : this.borderColor,
                        100 - kvNumber(this.borderTrans, 0));
    else
        panel.lineStyle();
    // The fill the Appearance page chose, else the style's.
    var fill = this.backColor != undefined ? this.backColor : (this.fillColor != undefined ? this.fillColor : 0xF0F0F0);
    if (this.showFill != false)
        panel.beginFill(fill, 100 - kvNumber(this.backTrans, 0));
    var half = thickness / 2;
    panel.moveTo(half, half);
    panel.lineTo(this.kvW - half, half);
    panel.lineTo(this.kvW - half, this.kvH - half);
    panel.lineTo(half, this.kvH - half);
    panel.lineTo(half, half);
    if (this.showFill != false)
        panel.endFill();
});

// Connection light: a lamp in the colour of the collaboration connection's state
// (shared/collab.as): red on an error, green while connected, grey otherwise; each colour may be
// replaced by a custom one. The state stays in kvCollabSeen.
#include "shared/collab.as"

var light = kvDefineComponent("KVConnectionLightSymbol", 30, 30, function () {
    var w = this.kvW, h = this.kvH;
    var state = kvCollabState();
    this.kvCollabSeen = state;
    var colour = 0xAAAAAA;
    if (state == "good")
        colour = this.useCustomGoodColor == true ? this.customGoodColor : 0x33AA33;
    else if (state == "error")
        colour = this.useCustomErrorColor == true ? this.customErrorColor : 0xCC3333;
    else if (this.useCustomDefaultColor == true)
        colour = this.customDefaultColor;
    this.kvLightColor = colour;
    var lamp = this.kvClip("kvLamp");
    // The rim is a filled ring, not a line, so nothing is drawn beyond the lamp's bounds.
    var r = Math.max(Math.min(w, h) / 2 - 1, 2);
    lamp.lineStyle();
    lamp.beginFill(0x666666, 100);
    kvCircle(lamp, w / 2, h / 2, r);
    lamp.endFill();
    lamp.beginFill(colour, 100);
    kvCircle(lamp, w / 2, h / 2, r - 1);
    lamp.endFill();
    lamp.beginFill(0xFFFFFF, 40);
    kvCircle(lamp, w / 2 - r * 0.3, h / 2 - r * 0.3, r * 0.35);
    lamp.endFill();
});
light.kvWatch = [];
kvCollabFollow(light);
// The class keeps what it needs: the variable would hide a placed clip of the same name.
delete light;

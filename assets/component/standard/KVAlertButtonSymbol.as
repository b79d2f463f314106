// Alert button: a button with its label ("title") and a lamp in the colour of the worst alert
// among the components it watches: those named in "alertComponents", or every component on the
// stage when the list is empty. A component's alert counts by how far its band (kvAlertBand)
// lies towards the bad end of its colours; the lamp takes that component's colour, or
// "noAlertColor" while none has an alert. A click toggles the button like a check box and
// inserts item 1 or 0 into its cells (shared/selector.as). The worst alert stays in kvWorst:
// [share of the way to the bad end, colour, component name], or undefined.
#include "shared/selector.as"
#include "shared/button.as"

var alertButton = kvDefineComponent("KVAlertButtonSymbol", 120, 30, function () {
    var w = this.kvW, h = this.kvH;
    var worst = this.kvWorstAlert();
    this.kvWorst = worst;
    this.kvWorstKey = worst == undefined ? "" : worst.join("|");
    var on = kvNumber(this.selectIdx, 0) == 1;
    var face = this.kvClip("kvFace");
    kvButtonFace(face, 0, 0, w, h, on ? this.selectedFillColor : this.defaultFillColor, this.borderColor,
                 on || this.kvHeld == "face");
    var r = Math.max(Math.min(h / 2 - 5, 8), 3);
    face.lineStyle(0, 0x666666, 100);
    face.beginFill(worst == undefined ? (this.noAlertColor == undefined ? 0xCCCCCC : this.noAlertColor) : worst[1], 100);
    kvCircle(face, 6 + r, h / 2, r);
    face.endFill();
    this.kvLamp = [6 + r, h / 2, r];
    kvPressable(this, face, "face", function (owner) { kvSelectorInsert(owner, on ? 0 : 1); });
    kvSelectorTitleAt(this, "kvLabel", 10 + 2 * r, Math.round((h - 18) / 2), w - 14 - 2 * r, 18, kvSelectorTitleText(this),
                      kvSelectorTitleFormat(this), "left");
});
alertButton.kvWatch = ["selectIdx", "title"];

// The watched components, found once: the clips on the stage stay the same while it plays.
alertButton.kvWatched = function () {
    if (this.kvClips != undefined)
        return this.kvClips;
    var names = this.alertComponents, clips = [];
    if (names instanceof Array && names.length > 0 && !(names.length == 1 && names[0] === "")) {
        for (var i = 0; i < names.length; i++)
            clips.push(this._parent[names[i]]);
    } else {
        for (var k in this._parent) {
            if (typeof this._parent[k] == "movieclip" && this._parent[k] != this)
                clips.push(this._parent[k]);
        }
    }
    this.kvClips = clips;
    return clips;
};

// The worst alert among the watched components, as kvWorst holds it.
alertButton.kvWorstAlert = function () {
    var clips = this.kvWatched();
    var worst = undefined;
    for (var c = 0; c < clips.length; c++) {
        var clip = clips[c], band = clip.kvAlertBand;
        if (band == undefined || band < 0)
            continue;
        var colours = clip.customAlertColors != undefined ? clip.customAlertColors : clip.alertColors;
        var bands = Math.min(colours.length, clip.alertPcts.length + 1);
        var share = bands > 1 ? band / (bands - 1) : 0;
        if (worst == undefined || share > worst[0])
            worst = [share, colours[band], clip._name];
    }
    return worst;
};

// The watched components' alerts change as they redraw: the lamp follows on the next frame.
// The drawing's own frame stays with the class, not on the main timeline, where a variable
// would hide a placed clip of the same name.
alertButton.kvAlertBaseFrame = alertButton.onEnterFrame;
alertButton.onEnterFrame = function () {
    if (this.kvWorstKey != undefined) {
        var worst = this.kvWorstAlert();
        if ((worst == undefined ? "" : worst.join("|")) != this.kvWorstKey)
            this.calcDirty = true;
    }
    this.kvAlertBaseFrame();
};
// The class keeps what it needs: the variable would hide a placed clip of the same name.
delete alertButton;

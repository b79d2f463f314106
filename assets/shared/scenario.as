// What the scenario components share: a named copy of the values of the cells they are bound
// to ("scenarioCells"), saved, loaded back into the cells and deleted. The local component
// keeps its scenarios in a shared object of the player on the viewer's computer; the remote one
// in a shared object of the collaboration server, through the movie's connection ("nc"), so
// that everyone connected sees the same scenarios. Either way the shared object is named
// "storeName" and holds in its data "kvNames" (the names in the order saved) and "kvValues"
// (by name, the values in reading order of the cells).
//
// The component draws a field for the name with a "Save" button, the list of the saved
// scenarios and "Load" and "Delete" buttons for the one chosen in the list, with a line that
// says what was done last (kvStatus). The parts' rectangles stay in kvParts by name.
#include "shared/selector.as"
#include "shared/button.as"
#include "shared/collab.as"

if (_global.kvScnDefine == undefined) {
    // The values of the member as one list, in reading order.
    _global.kvScnFlatten = function (v) {
        if (!(v instanceof Array))
            return [v];
        var flat = [];
        for (var i = 0; i < v.length; i++) {
            if (v[i] instanceof Array) {
                for (var j = 0; j < v[i].length; j++)
                    flat.push(v[i][j]);
            } else {
                flat.push(v[i]);
            }
        }
        return flat;
    };

    _global.kvScnDefine = function (p, remote) {
        p.kvRemote = remote;

        // The shared object, opened once; undefined while the remote one has no connection.
        p.kvStore = function () {
            if (this.kvSo != undefined)
                return this.kvSo;
            var name = this.storeName == undefined || this.storeName == "" ? "scenarios" : String(this.storeName);
            if (!this.kvRemote) {
                this.kvSo = SharedObject.getLocal(name);
                return this.kvSo;
            }
            var nc = _root.nc;
            if (kvCollabState() != "good")
                return undefined;
            var so = SharedObject.getRemote(name, nc.uri, true);
            // A player without remote shared objects gives none.
            this.kvNoStore = so == undefined;
            if (so == undefined)
                return undefined;
            var owner = this;
            so.onSync = function () { owner.mc(); };
            so.connect(nc);
            this.kvSo = so;
            return so;
        };

        p.kvNames = function () {
            var so = this.kvStore();
            if (so == undefined || !(so.data.kvNames instanceof Array))
                return [];
            return so.data.kvNames;
        };

        p.kvSay = function (text) {
            this.kvStatus = text;
            this.mc();
        };

        p.kvUnavailable = function () {
            if (this.kvStore() != undefined)
                return false;
            this.kvSay(this.kvNoStore == true ? "No shared scenarios" : "Not connected");
            return true;
        };

        p.kvSave = function () {
            var name = this.kvEdit.text;
            if (name == "") {
                this.kvSay("Type a name to save");
                return;
            }
            if (this.kvUnavailable())
                return;
            var so = this.kvStore();
            var names = so.data.kvNames instanceof Array ? so.data.kvNames : [];
            var values = so.data.kvValues == undefined ? {} : so.data.kvValues;
            var known = false;
            for (var i = 0; i < names.length; i++)
                known = known || names[i] == name;
            if (!known)
                names.push(name);
            values["s_" + name] = kvScnFlatten(this.scenarioCells);
            so.data.kvNames = names;
            so.data.kvValues = values;
            if (!this.kvRemote && so.flush() == false) {
                this.kvSay("Could not save " + name);
                return;
            }
            this.kvChosen = name;
            this.kvEdit.text = "";
            this.kvSay("Saved " + name);
        };

        p.kvLoad = function () {
            if (this.kvUnavailable())
                return;
            var so = this.kvStore(), name = this.kvChosen;
            var values = so.data.kvValues == undefined ? undefined : so.data.kvValues["s_" + name];
            if (name == undefined || values == undefined) {
                this.kvSay("Choose a scenario to load");
                return;
            }
            kvSelectorFill(this, "scenarioCells", values);
            this.kvSay("Loaded " + name);
            this.kvCommit();
        };

        p.kvDelete = function () {
            if (this.kvUnavailable())
                return;
            var so = this.kvStore(), name = this.kvChosen, names = this.kvNames(), kept = [];
            for (var i = 0; i < names.length; i++) {
                if (names[i] != name)
                    kept.push(names[i]);
            }
            if (name == undefined || kept.length == names.length) {
                this.kvSay("Choose a scenario to delete");
                return;
            }
            so.data.kvNames = kept;
            if (so.data.kvValues != undefined)
                delete so.data.kvValues["s_" + name];
            if (!this.kvRemote)
                so.flush();
            this.kvChosen = undefined;
            this.kvSay("Deleted " + name);
        };

        // The scenario chosen in the list is what the designer's data query reports.
        p.kvScenarioValues = function () {
            return this.kvChosen == undefined ? [] : [{parameter: "scenario", value: this.kvChosen}];
        };

        p.kvScnDraw = function () {
            var w = this.kvW, h = this.kvH, rowH = 18, barH = 22;
            var fill = this.useCustomColor == true ? this.customColor : (this.fillColor == undefined ? 0xFFFFFF : this.fillColor);
            var font = {};
            for (var k in this.labelTextFormat)
                font[k] = this.labelTextFormat[k];
            if (this.useCustomFontColor == true)
                font.color = this.customFontColor;
            var back = this.kvClip("kvBack");
            kvRect(back, 0, 0, w - 1, h - 1, fill, this.borderColor);
            var owner = this;
            if (this.kvEdit == undefined) {
                this.createTextField("kvEdit", this.kvNextDepth++, 3, 3, w - 66, barH - 4);
                this.kvEdit.type = "input";
                this.kvEdit.border = true;
                this.kvEdit.background = true;
                this.kvEdit.maxChars = 40;
            }
            this.kvEdit.setNewTextFormat(kvTextFormat(font, "left"));
            this.kvParts = {name: [3, 3, w - 66, barH - 4]};
            this.kvButton("save", "Save", w - 60, 2, 57, barH, font, function (o) { o.kvSave(); });
            var listTop = barH + 6, listH = h - listTop - barH - 24;
            var list = this.kvClip("kvList");
            kvRect(list, 3, listTop, w - 7, Math.max(listH, rowH), 0xFFFFFF, this.borderColor);
            var names = this.kvNames(), rows = Math.max(Math.floor(listH / rowH), 1);
            for (var i = 0; i < rows; i++) {
                if (i < names.length && names[i] == this.kvChosen)
                    kvRect(list, 4, listTop + 1 + i * rowH, w - 9, rowH, this.selectedFillColor == undefined ? 0xCCDDFF : this.selectedFillColor,
                           undefined);
                this.kvText("kvName" + i, 6, listTop + 1 + i * rowH, w - 12, rowH, i < names.length ? names[i] : "", font, "left");
            }
            this.kvClearTexts("kvName", rows);
            this.kvParts.list = [3, listTop, w - 7, listH];
            list.onRelease = function () {
                var at = Math.floor((owner._ymouse - listTop - 1) / rowH), all = owner.kvNames();
                if (at >= 0 && at < all.length) {
                    owner.kvChosen = all[at];
                    owner.mc();
                }
            };
            var half = (w - 9) / 2, by = h - barH - 20;
            this.kvButton("load", "Load", 3, by, half, barH, font, function (o) { o.kvLoad(); });
            this.kvButton("delete", "Delete", 6 + half, by, half, barH, font, function (o) { o.kvDelete(); });
            this.kvText("kvStatusLine", 3, h - 19, w - 6, 18, this.kvStatus, font, "left");
        };

        p.kvButton = function (name, caption, x, y, w, h, font, action) {
            var part = this.kvClip("kvButton_" + name);
            kvButtonFace(part, x, y, w, h, this.defaultFillColor, this.borderColor, this.kvHeld == name);
            kvPressable(this, part, name, action);
            this.kvText("kvCaption_" + name, x, y + (h - 18) / 2, w, 18, caption, font, "center");
            this.kvParts[name] = [x, y, w, h];
        };
    };
}

// People list: the names of the people connected to the collaboration server, one a row, from
// the server's shared object "kvPeople" (each viewer's movie adds its own name, the one its login
// used, while connected). Without a connection the list says so. Rows past its height scroll
// with the thumb at its right. The names shown stay in kvPeople.
#include "shared/collab.as"

var people = kvDefineComponent("KVPeopleListSymbol", 150, 120, function () {
    var w = this.kvW, h = this.kvH, rowH = 18;
    var state = kvCollabState();
    this.kvCollabSeen = state;
    if (state == "good")
        this.kvJoin();
    var names = [];
    if (state == "good" && this.kvSo != undefined) {
        for (var k in this.kvSo.data)
            names.push(String(this.kvSo.data[k]));
        names.sort();
    }
    this.kvPeople = names;
    var back = this.kvClip("kvBack");
    kvRect(back, 0, 0, w - 1, h - 1, this.labelColor == undefined ? 0xFFFFFF : this.labelColor,
           this.borderColor == undefined ? 0x999999 : this.borderColor);
    var rows = Math.max(Math.floor((h - 2) / rowH), 1);
    var first = Math.min(Math.max(kvNumber(this.kvFirst, 0), 0), Math.max(names.length - rows, 0));
    this.kvFirst = first;
    var align = this.labelAlign == undefined ? "left" : String(this.labelAlign).toLowerCase();
    var shown = names;
    if (names.length == 0)
        shown = [state != "good" ? "Not connected" : (this.kvNoList == true ? "No list on the server" : "Nobody connected")];
    var thumbW = names.length > rows ? 10 : 0;
    for (var i = 0; i < rows; i++) {
        var n = first + i;
        this.kvText("kvRow" + i, 3, 1 + i * rowH, w - 6 - thumbW, rowH, n < shown.length ? shown[n] : "", this.labelTextProps, align);
    }
    var thumb = this.kvClip("kvThumb");
    if (thumbW > 0) {
        var th = Math.max(h * rows / names.length, 10);
        kvRect(thumb, w - thumbW - 1, 1 + (h - 2 - th) * first / (names.length - rows), thumbW - 1, th,
               this.useDefaultArt == false ? this.thumbColor : 0xBBBBBB, undefined);
        var owner = this;
        thumb.onRelease = function () {
            owner.kvFirst = owner.kvFirst + rows >= owner.kvPeople.length ? 0 : owner.kvFirst + rows;
            owner.mc();
        };
    }
});
people.kvWatch = [];
kvCollabFollow(people);

// Joins the server's list of people once connected: this viewer's name under an entry of its
// own, which the server drops when the viewer leaves.
people.kvJoin = function () {
    if (this.kvSo != undefined || this.kvNoList == true)
        return;
    var so = SharedObject.getRemote("kvPeople", _root.nc.uri, false);
    // A player without remote shared objects gives none.
    this.kvNoList = so == undefined;
    if (so == undefined)
        return;
    var owner = this;
    so.onSync = function () {
        if (owner.kvJoined != true) {
            owner.kvJoined = true;
            so.data["p" + Math.floor(Math.random() * 1e9)] = _global.kvUserName == undefined ? "Guest" : _global.kvUserName;
        }
        owner.mc();
    };
    so.connect(_root.nc);
    this.kvSo = so;
};
// The class keeps what it needs: the variable would hide a placed clip of the same name.
delete people;

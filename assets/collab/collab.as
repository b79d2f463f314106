// The collaboration connection: "nc" on the main timeline, which the movie's first frame gives
// the gateway ("targetURI") and, for the automatic connection, opens with myConnect.
_root.nc = new NetConnection();
_root.nc.targetURI = "";
_root.nc.myConnect = function (user, password) {
    return this.connect(this.targetURI, user, password);
};
// The clip placed as "collab" (real-time collaboration) shows the connection's state; the last
// status stays in kvLastCode for the components that show it (the connection light, the login).
_root.nc.onStatus = function (info) {
    this.kvLastCode = info.code;
    var clip = _root.collab;
    if (clip == undefined)
        return;
    if (clip.status == undefined) {
        clip.createTextField("status", 1, 0, 0, 200, 20);
        clip.status.selectable = false;
    }
    clip.status.text = info.code;
};

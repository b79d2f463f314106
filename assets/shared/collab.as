// What the collaboration components share: the state of the movie's connection to the
// collaboration server ("nc", made by the collaboration clip, which keeps the last status code
// the connection reported): "none" when the movie has no connection, "good" while connected,
// "error" after a refused, failed or closed connection, and "default" before any answer.
#include "shared/component.as"

if (_global.kvCollabState == undefined) {
    _global.kvCollabState = function () {
        var nc = _root.nc;
        if (nc == undefined)
            return "none";
        var code = nc.kvLastCode == undefined ? "" : String(nc.kvLastCode);
        if (nc.isConnected == true || code == "NetConnection.Connect.Success")
            return "good";
        if (code.indexOf("Failed") >= 0 || code.indexOf("Rejected") >= 0 || code.indexOf("Closed") >= 0
            || code.indexOf("Invalid") >= 0)
            return "error";
        return "default";
    };

    // A component that shows the connection's state draws again when it changes.
    _global.kvCollabFollow = function (p) {
        var frame = p.onEnterFrame;
        p.onEnterFrame = function () {
            if (this.kvCollabSeen != undefined && kvCollabState() != this.kvCollabSeen)
                this.calcDirty = true;
            frame.call(this);
        };
    };
}

// Login: fields for the user name and the password ("loginType" "usernameAndPassword",
// "username" or "password") and a button ("buttonLabel") that opens the movie's collaboration
// connection with them (the connection's myConnect, shared/collab.as). The line under them
// says how the connection stands (kvStatus); the name logged in with stays in
// _global.kvUserName for the people list.
#include "shared/collab.as"
#include "shared/button.as"

var login = kvDefineComponent("KVLoginSymbol", 200, 100, function () {
    var w = this.kvW, h = this.kvH;
    var type = this.loginType == undefined ? "usernameAndPassword" : String(this.loginType);
    var fields = type == "username" ? ["user"] : (type == "password" ? ["password"] : ["user", "password"]);
    var rowH = 22, labelW = Math.min(70, Math.round(w * 0.35));
    var back = this.kvClip("kvBack");
    kvRect(back, 0, 0, w - 1, h - 1, 0xFFFFFF, this.borderColor == undefined ? 0xCCCCCC : this.borderColor);
    this.kvParts = {};
    for (var i = 0; i < 2; i++) {
        var name = i < fields.length ? fields[i] : "";
        var y = 3 + i * (rowH + 3);
        this.kvText("kvCaption" + i, 3, y + 2, labelW - 4, 18, name == "user" ? "User" : (name == "password" ? "Password" : ""),
                    this.labelTextFormat, "left");
        var field = this["kvField" + i];
        if (field == undefined) {
            this.createTextField("kvField" + i, this.kvNextDepth++, labelW, y, w - labelW - 4, rowH - 2);
            field = this["kvField" + i];
            field.type = "input";
            field.border = true;
            field.background = true;
            field.maxChars = 64;
        }
        field._visible = name != "";
        field.password = name == "password";
        field.backgroundColor = this.useCustomInputColor == true ? this.customInputColor : 0xFFFFFF;
        field.setNewTextFormat(kvTextFormat(this.labelTextFormat, "left"));
        if (name != "")
            this.kvParts[name] = [labelW, y, w - labelW - 4, rowH - 2];
    }
    var by = 3 + fields.length * (rowH + 3), bw = Math.min(w - 6, 100);
    var button = this.kvClip("kvButton");
    kvButtonFace(button, w - bw - 3, by, bw, rowH + 2, this.useCustomButtonColor == true ? this.customButtonColor : undefined,
                 this.borderColor, this.kvHeld == "button");
    kvPressable(this, button, "button", function (owner) { owner.kvLogin(); });
    this.kvParts.button = [w - bw - 3, by, bw, rowH + 2];
    this.kvText("kvButtonLabel", w - bw - 3, by + 3, bw, 18, this.buttonLabel, this.buttonLabelTextFormat, "center");
    var state = kvCollabState();
    this.kvCollabSeen = state;
    if (this.kvTried == true)
        this.kvStatus = state == "good" ? "Connected as " + _global.kvUserName
                      : (state == "error" ? "Login failed" : (state == "none" ? "No collaboration connection" : "Connecting..."));
    this.kvText("kvStatusLine", 3, Math.min(by + rowH + 6, h - 19), w - 6, 18, this.kvStatus, this.labelTextFormat, "left");
});
login.kvWatch = ["buttonLabel"];
kvCollabFollow(login);

login.kvLogin = function () {
    var type = this.loginType == undefined ? "usernameAndPassword" : String(this.loginType);
    var user = type == "password" ? "" : this.kvField0.text;
    var password = type == "username" ? "" : (type == "password" ? this.kvField0.text : this.kvField1.text);
    this.kvTried = true;
    _global.kvUserName = user;
    var nc = _root.nc;
    if (nc != undefined) {
        nc.kvLastCode = undefined;
        nc.myConnect(user, password);
        // Opening a connection again closes the open one first, which is no answer to this one.
        if (nc.kvLastCode == "NetConnection.Connect.Closed")
            nc.kvLastCode = undefined;
    }
};
// The class keeps what it needs: the variable would hide a placed clip of the same name.
delete login;

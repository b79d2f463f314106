// The page-to-movie bridge. The program's movie (a SWF 6 movie: the stage, a preview) plays in
// level 1 and knows nothing of it; the page calls the three functions registered below, in the
// order the program sent them, and each takes effect at once, before the player draws again.
// Names are compared with their case here (a SWF 8 movie), so they are written exactly as the
// program sends them.

Stage.scaleMode = "noScale";
Stage.align = "TL";

var kvMovie = "";      // the URL loaded into level 1, "" for none
var kvLoadedTicks = -1; // frames seen since level 1 appeared, -1 while nothing is loading

// The object and member a variable path names: "_root.obj0.title" is the member "title" of
// _level1.obj0. A path whose object does not exist names nothing, as in the player's own
// SetVariable.
function kvResolve(path) {
    var parts = path.split(".");
    var o = _level1;
    var first = 0;
    if (parts[0] == "_root" || parts[0] == "_level0" || parts[0] == "")
        first = 1;
    if (o == undefined || parts.length <= first)
        return null;
    for (var i = first; i < parts.length - 1; i++) {
        o = o[parts[i]];
        if (o == undefined || (typeof o != "object" && typeof o != "movieclip"))
            return null;
    }
    return {target: o, name: parts[parts.length - 1]};
}

// The size of level 1's movie when it is to be shown whole (kvZoom), else 0 by 0.
var kvFitW = 0;
var kvFitH = 0;

// Level 1 scaled to show a movie of kvFitW by kvFitH whole, centred, or at its own size.
function kvApplyFit() {
    if (_level1 == undefined)
        return;
    var scale = 1;
    if (kvFitW > 0 && kvFitH > 0)
        scale = Math.min(Stage.width / kvFitW, Stage.height / kvFitH);
    _level1._xscale = _level1._yscale = scale * 100;
    _level1._x = kvFitW > 0 ? Math.round((Stage.width - kvFitW * scale) / 2) : 0;
    _level1._y = kvFitH > 0 ? Math.round((Stage.height - kvFitH * scale) / 2) : 0;
}

function kvZoom(width, height) {
    kvFitW = Number(width);
    kvFitH = Number(height);
    kvApplyFit();
    return true;
}

function kvLoad(layer, url) {
    kvFitW = 0;
    kvFitH = 0;
    if (url == "loadblank" || url == "") {
        getURL("", "_level1");
        kvMovie = "";
        kvLoadedTicks = -1;
        return true;
    }
    kvMovie = url;
    kvLoadedTicks = 0;
    getURL(url, "_level1");
    return true;
}

// The page sends each value behind a "=": the player's external interface hands an empty text
// over as "null", which a value of its own could also be.
function kvSet(name, value) {
    value = String(value).substr(1);
    var at = kvResolve(name);
    if (at == null)
        return false;
    at.target[at.name] = value;
    return true;
}

// The value of a variable as text ("" for none); a last name ending in "()" calls that
// method of the object instead. What the program's control calls GetVariable, for checks.
function kvGet(name) {
    var method = name.substr(name.length - 2) == "()";
    var at = kvResolve(method ? name.substr(0, name.length - 2) : name);
    if (at == null)
        return "";
    var v = method ? at.target[at.name]() : at.target[at.name];
    return v == undefined ? "" : String(v);
}

// A label of the root ("/"), or of a clip named by a path.
function kvCall(target, label) {
    if (_level1 == undefined)
        return false;
    var where = "_level1";
    if (target != "/" && target != "" && target != "_root" && target != "_level0") {
        var t = target;
        if (t.substr(0, 1) == "/")
            t = t.substr(1);
        where = "_level1/" + t;
    }
    call(where + ":" + label);
    return true;
}

// Several sets and calls in one call from the page, in order: a flat list of triples, each
// member behind a "=" (see kvSet), the first "=s" for a set of the second to the third, "=c"
// for a call of the third label of the second target, "=g" for a run of sets packed in the
// third, split at the second. One call from the page costs about as much as the work of a
// set, so a component's hundreds of parameters go in one.
// The objects that the sets' paths name are looked up once per path until a call, which may
// make them anew.
function kvBatch(list) {
    var n = list.length - list.length % 3;
    var objects = {};
    for (var i = 0; i < n; i += 3) {
        var op = String(list[i]);
        var a = String(list[i + 1]).substr(1);
        if (op == "=s") {
            var dot = a.lastIndexOf(".");
            var key = "." + a.substr(0, dot);
            var target = objects[key];
            if (target === undefined) {
                var at = kvResolve(a);
                target = at == null ? null : at.target;
                objects[key] = target;
            }
            if (target != null)
                target[a.substr(dot + 1)] = String(list[i + 2]).substr(1);
        } else if (op == "=g") {
            // A run of sets packed in one text (the page's packSets), split at the second member
            // of the triple: for each object its path, the number of its members, then each
            // member's name and value. The player splits the text itself, which costs a
            // fraction of taking each set apart here.
            var parts = String(list[i + 2]).substr(1).split(a);
            var m = parts.length;
            var j = 0;
            while (j + 1 < m) {
                var path = parts[j];
                var end = j + 2 + 2 * Number(parts[j + 1]);
                var gkey = "." + path;
                var object = objects[gkey];
                if (object === undefined) {
                    var gat = kvResolve(path + ".x");
                    object = gat == null ? null : gat.target;
                    objects[gkey] = object;
                }
                j += 2;
                if (object != null) {
                    if (end > m - 1)
                        end = m - 1;
                    for (; j < end; j += 2)
                        object[parts[j]] = parts[j + 1];
                }
                j = end;
            }
        } else if (op == "=c") {
            objects = {};
            kvCall(a, String(list[i + 2]).substr(1));
        }
    }
    return true;
}

// Level 1 has arrived and played its first frame: the page may send what it held back.
this.onEnterFrame = function () {
    if (kvLoadedTicks < 0 || _level1 == undefined || _level1._framesloaded < 1)
        return;
    kvLoadedTicks++;
    if (kvLoadedTicks == 2) {
        kvLoadedTicks = -1;
        fscommand("kvBridgeLoaded", kvMovie);
    }
};

var ei = flash.external.ExternalInterface;
ei.addCallback("kvLoad", null, kvLoad);
ei.addCallback("kvSet", null, kvSet);
ei.addCallback("kvCall", null, kvCall);
ei.addCallback("kvGet", null, kvGet);
ei.addCallback("kvBatch", null, kvBatch);
ei.addCallback("kvZoom", null, kvZoom);
fscommand("kvBridgeReady", ei.available ? "1" : "0");
stop();

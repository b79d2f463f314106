// The stage: every component of the canvas, placed from the catalogue's symbols and drawn by
// its own clip. The program sets variables of this timeline and calls the labels of the
// following frames (docs/stage.md); the answers go back through fscommand:
//   "GetBounds"  symbol xMin xMax yMin yMax            the symbol drawn at its natural size
//   "UpdateComp" name xMin xMax yMin yMax nxMin nxMax nyMin nyMax
//                the placed component on the stage, then the same component at its natural size
//   "ResizeComp" name xMin xMax yMin yMax              the table after its resize
//   "ReinitComp" name                                  the component was rebuilt
//   "Refresh"    name                                  something changed that the canvas shows
// All numbers are pixels of this timeline.
//
// Parameters arrive as a tree of numbered objects: "__numObjParams" and the label InitParams
// make the empty objects obj0 ... and obj0t ... (the type tags), then every variable is set;
// obj0 is the whole set, each nested group or list its own object naming its parent by
// "__path" and itself by "__name".

stop();

var kvObjCount = 0;
// name -> {type, params, x, y, xscale, yscale, depth, enabled}
var kvComps = {};
var kvTopDepth = 1000;
// Where a symbol is drawn to be measured: above every component, removed at once.
var kvMeasureDepth = 1048000;

function kvInitParams() {
    var i;
    for (i = 0; i < kvObjCount; i++) {
        delete _root["obj" + i];
        delete _root["obj" + i + "t"];
    }
    kvObjCount = Number(_root.__numObjParams);
    if (!(kvObjCount > 0))
        kvObjCount = 0;
    for (i = 0; i < kvObjCount; i++) {
        _root["obj" + i] = {};
        _root["obj" + i + "t"] = {};
    }
}

// A sent text as the value its tag names: "s" text, "f" and "i" numbers, "b" a boolean, "n" the
// stage's fixed number, "u" nothing; untagged texts (colours, choices) stay texts unless they
// are hexadecimal colours.
function kvTyped(text, tag) {
    if (tag == "f" || tag == "i" || tag == "n")
        return Number(text);
    if (tag == "b")
        return text == "true";
    if (tag == "u")
        return undefined;
    if (tag == "s")
        return text;
    if (typeof text == "string" && text.substr(0, 2) == "0x")
        return Number(text);
    return text;
}

function kvIsPlacement(name) {
    return name == "_x" || name == "_y" || name == "_xscale" || name == "_yscale";
}

// The parameters rebuilt from obj0 ...: the clip's members, as the published movie gives them
// (the members of the top-level groups on the clip itself, nested groups as objects, lists as
// arrays). A document's components each rebuild a few hundred members as it opens, so the loop
// is written out: the player pays for every step of it.
function kvBuildParams() {
    var built = [];
    var byPath = {};
    var i, k, o, t, value, tag, text;
    for (i = 0; i < kvObjCount; i++) {
        o = _root["obj" + i];
        t = _root["obj" + i + "t"];
        var list = o.__objType != "o";
        value = list ? [] : {};
        for (k in o) {
            tag = t[k];
            if (tag == "o")
                continue;
            // Names that start with "_": the tree's own members and the placement.
            if (k >= "_" && k < "`" && (k.substr(0, 2) == "__" || kvIsPlacement(k)))
                continue;
            text = o[k];
            if (tag == "s") {
            } else if (tag == "f" || tag == "i" || tag == "n") {
                text = Number(text);
            } else if (tag == "b") {
                text = text == "true";
            } else if (tag == "u") {
                text = undefined;
            } else if (typeof text == "string" && text.substr(0, 2) == "0x") {
                text = Number(text);
            }
            if (list) {
                if (k.substr(0, 1) == "p")
                    value[Number(k.substr(1))] = text;
            } else {
                value[k] = text;
            }
        }
        if (list && Number(o.__numItems) > value.length)
            value.length = Number(o.__numItems);
        built[i] = value;
        byPath[(o.__path == undefined ? "" : o.__path) + "." + o.__name] = value;
    }
    var topGroups = [];
    for (i = 1; i < kvObjCount; i++) {
        o = _root["obj" + i];
        var parent = byPath[o.__path];
        if (parent == undefined)
            continue;
        parent[o.__name] = built[i];
        if (o.__path == ".params" && o.__objType == "o")
            topGroups.push(o.__name);
    }
    var params = {};
    var root = built[0];
    if (root == undefined)
        return params;
    for (k in root)
        params[k] = root[k];
    for (i = 0; i < topGroups.length; i++) {
        var group = root[topGroups[i]];
        delete params[topGroups[i]];
        for (k in group)
            params[k] = group[k];
    }
    return params;
}

function kvCopy(from) {
    var to = {};
    for (var k in from)
        to[k] = from[k];
    return to;
}

// Places (or places again) a component as its record says, drawn at once.
function kvPlace(name) {
    var c = kvComps[name];
    // The parameters themselves carry the placement for the time of the attach, which copies
    // them onto the clip: a copy of a few hundred members costs each component more than that.
    var init = c.params;
    init._x = c.x;
    init._y = c.y;
    init._xscale = c.xscale;
    init._yscale = c.yscale;
    _root[name].removeMovieClip();
    var clip = _root.attachMovie(c.type, name, c.depth, init);
    delete init._x;
    delete init._y;
    delete init._xscale;
    delete init._yscale;
    if (clip == undefined)
        return undefined;
    clip.mc();
    clip._visible = c.enabled;
    return clip;
}

// A clip that draws nothing has the bounds the player gives for none: its largest coordinates.
function kvHasBounds(b) {
    return b != undefined && b.xMin <= b.xMax && b.yMin <= b.yMax && b.xMax < 1000000 && b.yMax < 1000000;
}

// What a clip shows, in the coordinates of space: its bounds without the parts it keeps hidden
// (a combo box's closed list). The player counts hidden parts in getBounds, so for the time of
// the measure each hidden part shrinks to a pixel's size on a shown part (not to nothing: a
// part of no size has no bounds, which the player counts as the largest).
function kvDrawnBounds(clip, space) {
    var hidden = [];
    var anchor = undefined;
    for (var k in clip) {
        var c = clip[k];
        if (c._parent != clip || (typeof c != "movieclip" && !(c instanceof TextField)))
            continue;
        if (c._visible == false)
            hidden.push({part: c, x: c._x, y: c._y, xscale: c._xscale, yscale: c._yscale,
                         w: c._width, h: c._height, field: typeof c != "movieclip"});
        else if (anchor == undefined && typeof c == "movieclip" && kvHasBounds(c.getBounds(clip)))
            anchor = c.getBounds(clip);
    }
    if (hidden.length == 0 || anchor == undefined)
        return clip.getBounds(space);
    var i, h;
    for (i = 0; i < hidden.length; i++) {
        h = hidden[i].part;
        if (hidden[i].field) {
            h._width = 1;
            h._height = 1;
        } else {
            h._xscale = 1;
            h._yscale = 1;
        }
        h._x = anchor.xMin;
        h._y = anchor.yMin;
    }
    var b = clip.getBounds(space);
    for (i = 0; i < hidden.length; i++) {
        h = hidden[i];
        if (h.field) {
            h.part._width = h.w;
            h.part._height = h.h;
        } else {
            h.part._xscale = h.xscale;
            h.part._yscale = h.yscale;
        }
        h.part._x = h.x;
        h.part._y = h.y;
    }
    return b;
}

// The bounds of a symbol drawn with these parameters at its natural size, in its own pixels.
function kvNaturalBounds(type, params) {
    var clip = _root.attachMovie(type, "kvMeasure", kvMeasureDepth, kvCopy(params));
    if (clip == undefined)
        return undefined;
    clip.mc();
    var b = kvDrawnBounds(clip, clip);
    clip.removeMovieClip();
    return b;
}

function kvBoundsText(b) {
    if (!kvHasBounds(b))
        return "0 0 0 0";
    return b.xMin + " " + b.xMax + " " + b.yMin + " " + b.yMax;
}

function kvPlacementNumber(value, fallback) {
    var n = Number(value);
    return isNaN(n) ? fallback : n;
}

// AddComponent, UpdateComponent, ReinitComp and ResizeComp: the component with the parameters
// and placement just sent.
function kvTakeComponent() {
    var name = _root.__compName;
    var c = kvComps[name];
    if (c == undefined) {
        c = {depth: kvTopDepth++, enabled: true};
        kvComps[name] = c;
    }
    c.type = _root.__compType;
    c.params = kvBuildParams();
    c.x = kvPlacementNumber(_root.obj0._x, 0);
    c.y = kvPlacementNumber(_root.obj0._y, 0);
    c.xscale = kvPlacementNumber(_root.obj0._xscale, 100);
    c.yscale = kvPlacementNumber(_root.obj0._yscale, 100);
    return kvPlace(name);
}

function kvAddComponent() {
    kvTakeComponent();
}

function kvUpdateComponent(reply) {
    var name = _root.__compName;
    var clip = kvTakeComponent();
    if (reply == "ReinitComp") {
        fscommand("ReinitComp", name);
        return;
    }
    var placed = clip == undefined ? undefined : kvDrawnBounds(clip, _root);
    if (reply == "ResizeComp") {
        fscommand("ResizeComp", name + " " + kvBoundsText(placed));
        return;
    }
    var c = kvComps[name];
    fscommand("UpdateComp", name + " " + kvBoundsText(placed) + " " + kvBoundsText(kvNaturalBounds(c.type, c.params)));
}

// The component drawn again at a new size, with the parameters it has.
function kvFastResize() {
    var name = _root.__compName;
    var c = kvComps[name];
    if (c == undefined)
        return;
    c.x = kvPlacementNumber(_root.__x, c.x);
    c.y = kvPlacementNumber(_root.__y, c.y);
    c.xscale = kvPlacementNumber(_root.__xscale, c.xscale);
    c.yscale = kvPlacementNumber(_root.__yscale, c.yscale);
    kvPlace(name);
    fscommand("Refresh", name);
}

function kvMove() {
    var name = _root.__compName;
    var c = kvComps[name];
    if (c == undefined)
        return;
    c.x = kvPlacementNumber(_root.__x, c.x);
    c.y = kvPlacementNumber(_root.__y, c.y);
    _root[name]._x = c.x;
    _root[name]._y = c.y;
    fscommand("Refresh", name);
}

function kvSwapDepths() {
    var a = kvComps[_root.__compA], b = kvComps[_root.__compB];
    if (a == undefined || b == undefined || a == b)
        return;
    _root[_root.__compA].swapDepths(_root[_root.__compB]);
    var depth = a.depth;
    a.depth = b.depth;
    b.depth = depth;
    fscommand("Refresh", _root.__compA + " " + _root.__compB);
}

function kvDelete() {
    var name = _root.__compName;
    if (kvComps[name] == undefined)
        return;
    _root[name].removeMovieClip();
    delete kvComps[name];
    fscommand("Refresh", name);
}

// DisableComp hides a component, EnableComp shows it again; a component placed again keeps it.
function kvEnable(enabled) {
    var name = _root.__compName;
    var c = kvComps[name];
    if (c == undefined)
        return;
    c.enabled = enabled;
    _root[name]._visible = enabled;
    fscommand("Refresh", name);
}

function kvGetBounds() {
    var type = _root.__compType;
    fscommand("GetBounds", type + " " + kvBoundsText(kvNaturalBounds(type, kvBuildParams())));
}

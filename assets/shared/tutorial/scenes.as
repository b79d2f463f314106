// The tutorial movies' player: a drawing of the designer (menus, tool bar, palette, canvas,
// workbook window and property sheet) and a list of scenes played over it one after another,
// each with its caption, a pointer that glides to where the scene acts and a drawing of what the
// scene does. What a scene leaves drawn stays under the next ones; what it draws on its "top"
// (menus, dialogs) goes when it ends. Buttons under the caption go back a scene, pause and go on;
// the movie's variable kvStartAt starts it at a scene (1 is the first). A scene may show instead
// a picture of the designer (an exported picture of the movie, at most 550 by 312 pixels,
// centred), which covers the drawing; the scene's top, the caption and the pointer stay above it.

var kvTutW = 550, kvTutH = 400;
var kvTutFrames = 0, kvTutScene = -1, kvTutScenes = [], kvTutPaused = false;
var kvTutRate = 12;

// The designer's parts, in stage pixels.
var kvCanvasX = 106, kvCanvasY = 58, kvCanvasW = 290, kvCanvasH = 168;
var kvBookX = 106, kvBookY = 232, kvBookW = 290, kvBookH = 64;
var kvPropsX = 402, kvPropsY = 56, kvPropsW = 144, kvPropsH = 240;
var kvMenuNames = ["File", "Edit", "Data", "View", "Format", "Help"];
var kvMenuX = [6, 36, 66, 100, 134, 178];

function kvTutRect(clip, x, y, w, h, fill, line) {
    if (line != undefined)
        clip.lineStyle(1, line, 100);
    else
        clip.lineStyle();
    clip.beginFill(fill, 100);
    clip.moveTo(x, y);
    clip.lineTo(x + w, y);
    clip.lineTo(x + w, y + h);
    clip.lineTo(x, y + h);
    clip.lineTo(x, y);
    clip.endFill();
}

function kvTutLine(clip, x1, y1, x2, y2, width, color) {
    clip.lineStyle(width, color, 100);
    clip.moveTo(x1, y1);
    clip.lineTo(x2, y2);
}

// A text field of the clip; a clip's fields take depths of their own (getNextHighestDepth
// arrived only after SWF 6).
function kvTutText(clip, name, x, y, w, h, text, size, color, bold) {
    if (clip.kvDepth == undefined)
        clip.kvDepth = 1000;
    clip.createTextField(name, clip.kvDepth++, x, y, w, h);
    var field = clip[name];
    field.selectable = false;
    field.wordWrap = true;
    var format = new TextFormat();
    format.font = "_sans";
    format.size = size;
    format.color = color;
    format.bold = bold;
    field.text = text;
    field.setTextFormat(format);
    return field;
}

// Centres a field's text in the field.
function kvTutCentre(field) {
    var format = field.getTextFormat();
    format.align = "center";
    field.setTextFormat(format);
    return field;
}

// A unique name for a text field of a clip.
function kvTutName(clip) {
    if (clip.kvNames == undefined)
        clip.kvNames = 0;
    clip.kvNames++;
    return "kvT" + clip.kvNames;
}

function kvTutLabel(clip, x, y, w, text, size, color, bold) {
    return kvTutText(clip, kvTutName(clip), x, y, w, size + 8, text, size, color == undefined ? 0x222222 : color,
                     bold == true);
}

// Progress within a part of a scene: 0 before a, 1 after b.
function kvTutPart(p, a, b) {
    if (p <= a)
        return 0;
    if (p >= b)
        return 1;
    return (p - a) / (b - a);
}

function kvTutMix(a, b, t) {
    return a + (b - a) * t;
}

// The pointer goes to (x, y) now (a scene that drags calls it every frame).
function kvTutPoint(x, y) {
    _root.kvPointer.kvAimX = x;
    _root.kvPointer.kvAimY = y;
}

// The pointer's press: a ring around its tip.
function kvTutClick(clip, x, y) {
    clip.lineStyle(2, 0xE07020, 100);
    clip.moveTo(x + 7, y);
    for (var a = 1; a <= 12; a++)
        clip.lineTo(x + 7 * Math.cos(a * Math.PI / 6), y + 7 * Math.sin(a * Math.PI / 6));
}

function kvTutMark(clip, x, y, w, h) {
    clip.lineStyle(2, 0xE07020, 100);
    clip.moveTo(x, y);
    clip.lineTo(x + w, y);
    clip.lineTo(x + w, y + h);
    clip.lineTo(x, y + h);
    clip.lineTo(x, y);
}

function kvTutArrow(clip, x1, y1, x2, y2, color) {
    kvTutLine(clip, x1, y1, x2, y2, 2, color);
    var a = Math.atan2(y2 - y1, x2 - x1);
    clip.lineStyle();
    clip.beginFill(color, 100);
    clip.moveTo(x2, y2);
    clip.lineTo(x2 - 9 * Math.cos(a - 0.4), y2 - 9 * Math.sin(a - 0.4));
    clip.lineTo(x2 - 9 * Math.cos(a + 0.4), y2 - 9 * Math.sin(a + 0.4));
    clip.lineTo(x2, y2);
    clip.endFill();
}

// A button of the designer's dialogs, pressed or not.
function kvTutButton(clip, x, y, w, h, text, pressed) {
    kvTutRect(clip, x, y, w, h, pressed ? 0xC8CED6 : 0xF4F6F8, 0x8A939C);
    kvTutCentre(kvTutLabel(clip, x + 2, y + (h - 16) / 2, w - 4, text, 9, 0x222222, false));
}

// A window of its own (a dialog) with its title bar.
function kvTutWindow(clip, x, y, w, h, title) {
    kvTutRect(clip, x + 3, y + 3, w, h, 0x7A828A, undefined);
    kvTutRect(clip, x, y, w, h, 0xECEFF2, 0x555555);
    kvTutRect(clip, x, y, w, 16, 0x3A5F85, undefined);
    kvTutLabel(clip, x + 4, y, w - 8, title, 9, 0xFFFFFF, true);
}

// A menu of the menu bar, open, its items listed and one of them under the pointer.
function kvTutMenu(clip, menu, items, hot) {
    var x = kvMenuX[menu];
    kvTutRect(clip, x - 2, 19, 36, 15, 0xCCDDEE, undefined);
    kvTutLabel(clip, x, 18, 40, kvMenuNames[menu], 10, 0x222222, false);
    var w = 0;
    for (var i = 0; i < items.length; i++)
        w = Math.max(w, items[i].length * 6 + 24);
    kvTutRect(clip, x + 2, 37, w, items.length * 16 + 4, 0x7A828A, undefined);
    kvTutRect(clip, x, 35, w, items.length * 16 + 4, 0xFFFFFF, 0x8A939C);
    for (var j = 0; j < items.length; j++) {
        if (j == hot)
            kvTutRect(clip, x + 2, 37 + j * 16, w - 4, 16, 0x3A5F85, undefined);
        kvTutLabel(clip, x + 8, 37 + j * 16, w - 10, items[j], 9, j == hot ? 0xFFFFFF : 0x222222, false);
    }
    return {x: x + 30, y: 45 + hot * 16};
}

// The property sheet with its tabs, one of them in front.
function kvTutProps(clip, title, tabs, active) {
    kvTutRect(clip, kvPropsX, kvPropsY, kvPropsW, kvPropsH, 0xECEFF2, 0xA0A8B0);
    kvTutLabel(clip, kvPropsX + 4, kvPropsY + 1, kvPropsW - 8, title, 9, 0x3A5F85, true);
    var x = kvPropsX + 3;
    for (var i = 0; i < tabs.length; i++) {
        var w = Math.round(tabs[i].length * 3.9 + 4);
        kvTutRect(clip, x, kvPropsY + 18, w, 15, i == active ? 0xFFFFFF : 0xD8DDE2, 0x8A939C);
        kvTutLabel(clip, x, kvPropsY + 19, w + 4, tabs[i], 7, 0x222222, false);
        x += w + 1;
    }
    kvTutRect(clip, kvPropsX + 3, kvPropsY + 33, kvPropsW - 6, kvPropsH - 36, 0xFFFFFF, 0x8A939C);
}

// A field of a property page: its name, its text and the button that picks cells beside it.
// Returns where the button is.
function kvTutField(clip, row, name, value, picking) {
    var y = kvPropsY + 38 + row * 34;
    kvTutLabel(clip, kvPropsX + 8, y, kvPropsW - 16, name, 8, 0x333333, false);
    kvTutRect(clip, kvPropsX + 8, y + 14, kvPropsW - 36, 14, 0xFFFFFF, 0x8A939C);
    kvTutLabel(clip, kvPropsX + 9, y + 13, kvPropsW - 38, value, 8, 0x222222, false);
    kvTutRect(clip, kvPropsX + kvPropsW - 26, y + 14, 18, 14, picking ? 0xE07020 : 0xF4F6F8, 0x8A939C);
    kvTutRect(clip, kvPropsX + kvPropsW - 22, y + 17, 10, 8, 0xFFFFFF, 0x3A5F85);
    return {x: kvPropsX + kvPropsW - 17, y: y + 21};
}

// A check box line of a property page.
function kvTutOption(clip, row, name, checked) {
    var y = kvPropsY + 38 + row * 34;
    kvTutRect(clip, kvPropsX + 8, y + 4, 10, 10, 0xFFFFFF, 0x555555);
    if (checked) {
        kvTutLine(clip, kvPropsX + 10, y + 9, kvPropsX + 13, y + 12, 2, 0x222222);
        kvTutLine(clip, kvPropsX + 13, y + 12, kvPropsX + 17, y + 5, 2, 0x222222);
    }
    kvTutLabel(clip, kvPropsX + 22, y + 1, kvPropsW - 30, name, 8, 0x222222, false);
    return {x: kvPropsX + 13, y: y + 9};
}

// The workbook window: column letters, row numbers and the cells (rows of texts); marked is a
// list of [row, column] to outline.
function kvTutBook(clip, rows, marked) {
    kvTutRect(clip, kvBookX, kvBookY, kvBookW, kvBookH, 0xFFFFFF, 0xA0A8B0);
    var letters = ["A", "B", "C", "D"];
    kvTutRect(clip, kvBookX + 1, kvBookY + 1, kvBookW - 2, 12, 0xE4E8EC, undefined);
    for (var c = 0; c < 4; c++)
        kvTutCentre(kvTutLabel(clip, kvBookX + 24 + c * 66, kvBookY - 2, 60, letters[c], 8, 0x555555, false));
    for (var r = 0; r < 3; r++) {
        kvTutLabel(clip, kvBookX + 3, kvBookY + 12 + r * 16, 20, String(r + 1), 8, 0x555555, false);
        for (var k = 0; k < 4; k++) {
            kvTutRect(clip, kvBookX + 20 + k * 66, kvBookY + 14 + r * 16, 66, 16, 0xFFFFFF, 0xC8CED6);
            if (rows[r] != undefined && rows[r][k] != undefined)
                kvTutLabel(clip, kvBookX + 22 + k * 66, kvBookY + 14 + r * 16, 64, rows[r][k], 8, 0x222222, false);
        }
    }
    for (var m = 0; marked != undefined && m < marked.length; m++)
        kvTutMark(clip, kvBookX + 20 + marked[m][1] * 66, kvBookY + 14 + marked[m][0] * 16, 66, 16);
}

// Where a cell of the workbook window is (its middle).
function kvTutCell(row, column) {
    return {x: kvBookX + 53 + column * 66, y: kvBookY + 22 + row * 16};
}

// Components as the canvas and the movie show them.
function kvTutSlider(clip, x, y, w, fraction, title, shown) {
    kvTutLabel(clip, x, y, w, title, 9, 0x222222, false);
    kvTutRect(clip, x + 4, y + 22, w - 8, 4, 0xC8CED6, 0x8A939C);
    kvTutRect(clip, x + 4 + (w - 8) * fraction - 5, y + 16, 10, 16, 0x8A939C, 0x555555);
    if (shown != undefined)
        kvTutCentre(kvTutLabel(clip, x, y + 32, w, shown, 8, 0x333333, false));
}

function kvTutValue(clip, x, y, w, title, value, fill) {
    kvTutLabel(clip, x, y, w, title, 9, 0x222222, false);
    kvTutRect(clip, x, y + 16, w, 22, fill == undefined ? 0xFFFFFF : fill, 0x8A939C);
    kvTutLabel(clip, x + 4, y + 18, w - 8, value, 11, fill == undefined ? 0x222222 : 0xFFFFFF, true);
}

function kvTutGauge(clip, x, y, r, fraction, title) {
    kvTutCentre(kvTutLabel(clip, x - r, y - r - 18, 2 * r, title, 9, 0x222222, false));
    clip.lineStyle(1, 0x555555, 100);
    clip.beginFill(0xFFFFFF, 100);
    clip.moveTo(x + r, y);
    for (var a = 1; a <= 24; a++)
        clip.lineTo(x + r * Math.cos(a * Math.PI / 12), y + r * Math.sin(a * Math.PI / 12));
    clip.endFill();
    for (var t = 0; t <= 10; t++) {
        var ta = Math.PI * (0.75 + 1.5 * t / 10);
        kvTutLine(clip, x + (r - 5) * Math.cos(ta), y + (r - 5) * Math.sin(ta), x + r * Math.cos(ta),
                  y + r * Math.sin(ta), 1, 0x555555);
    }
    var na = Math.PI * (0.75 + 1.5 * fraction);
    kvTutLine(clip, x, y, x + (r - 7) * Math.cos(na), y + (r - 7) * Math.sin(na), 2, 0xCC3333);
}

function kvTutColumns(clip, x, y, w, h, values, most, title) {
    kvTutRect(clip, x, y, w, h, 0xFFFFFF, 0x8A939C);
    kvTutCentre(kvTutLabel(clip, x, y + 1, w, title, 8, 0x222222, true));
    kvTutLine(clip, x + 8, y + h - 8, x + w - 6, y + h - 8, 1, 0x555555);
    var step = (w - 16) / values.length;
    for (var i = 0; i < values.length; i++) {
        var bar = (h - 30) * values[i] / most;
        kvTutRect(clip, x + 10 + i * step + step * 0.15, y + h - 8 - bar, step * 0.6, bar, 0x3366CC, undefined);
    }
}

function kvTutCombo(clip, x, y, w, text) {
    kvTutRect(clip, x, y, w, 18, 0xFFFFFF, 0x8A939C);
    kvTutLabel(clip, x + 3, y + 1, w - 22, text, 9, 0x222222, false);
    kvTutRect(clip, x + w - 16, y + 1, 15, 16, 0xE4E8EC, undefined);
    clip.beginFill(0x333333, 100);
    clip.moveTo(x + w - 12, y + 7);
    clip.lineTo(x + w - 4, y + 7);
    clip.lineTo(x + w - 8, y + 12);
    clip.endFill();
}

function kvTutCheck(clip, x, y, text, checked) {
    kvTutRect(clip, x, y + 3, 11, 11, 0xFFFFFF, 0x555555);
    if (checked) {
        kvTutLine(clip, x + 2, y + 8, x + 5, y + 11, 2, 0x222222);
        kvTutLine(clip, x + 5, y + 11, x + 10, y + 4, 2, 0x222222);
    }
    kvTutLabel(clip, x + 15, y, 120, text, 9, 0x222222, false);
}

// Eight handles around a selected component.
function kvTutHandles(clip, x, y, w, h) {
    var xs = [x, x + w / 2, x + w], ys = [y, y + h / 2, y + h];
    clip.lineStyle(1, 0x3A5F85, 60);
    clip.moveTo(x, y);
    clip.lineTo(x + w, y);
    clip.lineTo(x + w, y + h);
    clip.lineTo(x, y + h);
    clip.lineTo(x, y);
    for (var i = 0; i < 3; i++)
        for (var j = 0; j < 3; j++)
            if (i != 1 || j != 1)
                kvTutRect(clip, xs[i] - 3, ys[j] - 3, 6, 6, 0x222222, undefined);
}

// The canvas, white, under what a scene places on it.
function kvTutPaper(clip) {
    kvTutRect(clip, kvCanvasX, kvCanvasY, kvCanvasW, kvCanvasH, 0xFFFFFF, 0xA0A8B0);
}

function kvTutStatus(clip, text) {
    kvTutRect(clip, 0, 298, kvTutW, 14, 0xD8DDE2, undefined);
    kvTutLabel(clip, 6, 297, 400, text, 8, 0x333333, false);
}

// The designer as the scenes find it: the window, its menu, the tool bar, the palette of
// components, the canvas, the workbook window below it and the property sheet on the right.
function kvTutDesigner(title, palette) {
    var d = _root.createEmptyMovieClip("kvDesigner", 1);
    kvTutRect(d, 0, 0, kvTutW, kvTutH, 0xA9AFB6, undefined);
    kvTutRect(d, 0, 0, kvTutW, 18, 0xDDE2E7, undefined);
    for (var i = 0; i < kvMenuNames.length; i++)
        kvTutLabel(d, kvMenuX[i], 1, 40, kvMenuNames[i], 10, 0x222222, false);
    kvTutRect(d, 0, 18, kvTutW, 18, 0xDDE2E7, 0xC8CED6);
    kvTutLabel(d, 4, 20, 540, "New Opn Sav  |  Cut Cpy Pst  |  Sel Cmp  |  Grp Ung  |  ?  |  XLS   SWF Preview   PPT", 8,
               0x222222, false);
    kvTutRect(d, 4, 56, 96, 240, 0xFFFFFF, 0xA0A8B0);
    kvTutRect(d, 4, 40, 96, 16, 0x3A5F85, undefined);
    kvTutLabel(d, 8, 40, 90, "Components", 9, 0xFFFFFF, true);
    for (var j = 0; j < palette.length; j++)
        kvTutLabel(d, 10, 60 + j * 18, 88, palette[j], 9, 0x222222, false);
    kvTutRect(d, kvCanvasX, 40, kvCanvasW, 16, 0x3A5F85, undefined);
    kvTutLabel(d, kvCanvasX + 4, 40, 280, title, 9, 0xFFFFFF, true);
    kvTutPaper(d);
    kvTutBook(d, [], undefined);
    kvTutRect(d, kvPropsX, 40, kvPropsW, 16, 0x3A5F85, undefined);
    kvTutLabel(d, kvPropsX + 4, 40, 140, "Properties", 9, 0xFFFFFF, true);
    kvTutRect(d, kvPropsX, kvPropsY, kvPropsW, kvPropsH, 0xECEFF2, 0xA0A8B0);
    kvTutStatus(d, "Ready");
    kvTutRect(d, 0, 312, kvTutW, 88, 0xFFFFFF, 0xA0A8B0);
    kvTutText(d, "kvCaption", 10, 314, 434, 84, "", 12, 0x222222, false);
    kvTutControls(d);
    var pointer = _root.createEmptyMovieClip("kvPointer", 100);
    pointer.lineStyle(1, 0x000000, 100);
    pointer.beginFill(0xFFFFFF, 100);
    pointer.moveTo(0, 0);
    pointer.lineTo(0, 16);
    pointer.lineTo(4, 12);
    pointer.lineTo(8, 19);
    pointer.lineTo(10, 18);
    pointer.lineTo(7, 11);
    pointer.lineTo(12, 11);
    pointer.lineTo(0, 0);
    pointer.endFill();
    pointer._x = 270;
    pointer._y = 150;
    return d;
}

// The buttons under the caption: back a scene, pause or play, on a scene; and where it is.
function kvTutControls(d) {
    var names = ["kvBack", "kvPause", "kvNext"];
    for (var i = 0; i < 3; i++) {
        var b = d.createEmptyMovieClip(names[i], 10 + i);
        b._x = 452 + i * 32;
        b._y = 344;
        kvTutRect(b, 0, 0, 28, 22, 0xE4E8EC, 0x8A939C);
    }
    d.kvBack.beginFill(0x3A5F85, 100);
    d.kvBack.moveTo(19, 5);
    d.kvBack.lineTo(9, 11);
    d.kvBack.lineTo(19, 17);
    d.kvBack.endFill();
    d.kvNext.beginFill(0x3A5F85, 100);
    d.kvNext.moveTo(9, 5);
    d.kvNext.lineTo(19, 11);
    d.kvNext.lineTo(9, 17);
    d.kvNext.endFill();
    kvTutPauseFace();
    d.kvBack.onRelease = function () {
        kvTutGo(kvTutScene - 1);
    };
    d.kvNext.onRelease = function () {
        kvTutGo(kvTutScene + 1);
    };
    d.kvPause.onRelease = function () {
        kvTutPaused = !kvTutPaused;
        kvTutPauseFace();
    };
    kvTutText(d, "kvWhere", 448, 320, 100, 20, "", 10, 0x555555, false);
    kvTutText(d, "kvHint", 448, 368, 100, 20, "back  pause  next", 8, 0x777777, false);
}

function kvTutPauseFace() {
    var b = _root.kvDesigner.kvPause;
    b.clear();
    kvTutRect(b, 0, 0, 28, 22, kvTutPaused ? 0xFFE0C0 : 0xE4E8EC, 0x8A939C);
    b.lineStyle();
    b.beginFill(0x3A5F85, 100);
    if (kvTutPaused) {
        b.moveTo(10, 5);
        b.lineTo(20, 11);
        b.lineTo(10, 17);
        b.lineTo(10, 5);
    } else {
        b.moveTo(9, 5);
        b.lineTo(12, 5);
        b.lineTo(12, 17);
        b.lineTo(9, 17);
        b.lineTo(9, 5);
        b.moveTo(16, 5);
        b.lineTo(19, 5);
        b.lineTo(19, 17);
        b.lineTo(16, 17);
        b.lineTo(16, 5);
    }
    b.endFill();
}

// A scene: its caption, where the pointer goes and what it draws as it plays (called every
// frame with the scene's clip, its progress from 0 to 1 and a clip on top that goes when the
// scene ends). A scene lasts as long as its caption takes to read, and a little more.
function kvTutAdd(caption, x, y, draw, picture) {
    var words = caption.split(" ").length;
    var seconds = Math.max(6, 2 + words * 0.25);
    kvTutScenes.push({caption: caption, x: x, y: y, frames: Math.round(seconds * kvTutRate), draw: draw,
                      picture: picture});
}

// The picture a scene shows, or none.
function kvTutPicture(name) {
    var holder = _root.createEmptyMovieClip("kvShot", 55);
    if (name == undefined)
        return;
    kvTutRect(holder, 0, 0, kvTutW, 312, 0xA9AFB6, undefined);
    var picture = holder.attachMovie(name, "kvPicture", 1);
    picture._x = Math.round((kvTutW - picture._width) / 2);
}

// The scene's drawing at progress p, made afresh.
function kvTutDraw(index, p) {
    var scene = kvTutScenes[index];
    var clip = _root.kvActs.createEmptyMovieClip("kvScene" + index, index + 1);
    var top = _root.createEmptyMovieClip("kvTop", 60);
    if (scene.draw != undefined)
        scene.draw(clip, p, top);
}

// Starts scene n (wrapping round), the earlier scenes drawn as they end.
function kvTutGo(n) {
    n = (n + kvTutScenes.length) % kvTutScenes.length;
    _root.createEmptyMovieClip("kvActs", 50);
    for (var i = 0; i < n; i++)
        kvTutDraw(i, 1);
    kvTutScene = n;
    kvTutFrames = 0;
    var scene = kvTutScenes[n];
    var caption = _root.kvDesigner.kvCaption;
    var format = caption.getTextFormat();
    caption.text = scene.caption;
    caption.setTextFormat(format);
    var where = _root.kvDesigner.kvWhere;
    format = where.getTextFormat();
    where.text = "Step " + (n + 1) + " of " + kvTutScenes.length;
    where.setTextFormat(format);
    _root.kvPointer.kvAimX = scene.x;
    _root.kvPointer.kvAimY = scene.y;
    kvTutPicture(scene.picture);
    kvTutDraw(n, 0);
}

function kvTutStep() {
    var scene = kvTutScenes[kvTutScene];
    if (!kvTutPaused) {
        if (kvTutFrames >= scene.frames) {
            kvTutGo(kvTutScene + 1);
            scene = kvTutScenes[kvTutScene];
        }
        kvTutFrames++;
        _root.kvPointer.kvAimX = scene.x;
        _root.kvPointer.kvAimY = scene.y;
        kvTutDraw(kvTutScene, Math.min(kvTutFrames / Math.max(scene.frames * 0.7, 1), 1));
    }
    // The pointer glides to its aim and, once close, stands on it; paused, it stands still.
    var pointer = _root.kvPointer;
    if (kvTutPaused)
        return;
    var dx = pointer.kvAimX - pointer._x, dy = pointer.kvAimY - pointer._y;
    if (Math.abs(dx) + Math.abs(dy) < 1) {
        pointer._x = pointer.kvAimX;
        pointer._y = pointer.kvAimY;
    } else {
        pointer._x += dx * 0.25;
        pointer._y += dy * 0.25;
    }
}

function kvTutStart(title, palette) {
    kvTutDesigner(title, palette);
    var first = Number(_root.kvStartAt);
    kvTutGo(first >= 1 && first <= kvTutScenes.length ? first - 1 : 0);
    _root.onEnterFrame = kvTutStep;
}

// The tutorial movies' player: a drawing of the designer (menu, palette, canvas, workbook and
// properties) and a list of scenes played over it one after another, each with its caption, a
// pointer that glides to where the scene acts and a drawing of what the scene does. The last
// scene holds for a while, then the tutorial starts again.

var kvTutW = 550, kvTutH = 400;
var kvTutFrames = 0, kvTutScene = -1, kvTutScenes = [];

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

// Depths for the texts; getNextHighestDepth arrived only after SWF 6.
var kvTutDepth = 1000;

function kvTutText(clip, name, x, y, w, h, text, size, color, bold) {
    clip.createTextField(name, kvTutDepth++, x, y, w, h);
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

// The designer as the scenes find it: the window, its menu, the palette of components, the
// canvas, the workbook window below it and the properties on the right.
function kvTutDesigner() {
    var d = _root.createEmptyMovieClip("kvDesigner", 1);
    kvTutRect(d, 0, 0, kvTutW, kvTutH, 0xE9EDF1, undefined);
    kvTutRect(d, 0, 0, kvTutW, 22, 0x3A5F85, undefined);
    kvTutText(d, "kvTitle", 6, 2, 300, 18, "Vantorel - Untitled", 11, 0xFFFFFF, true);
    kvTutText(d, "kvMenu", 6, 24, 500, 18, "File   Edit   View   Format   Data   Help", 11, 0x222222, false);
    kvTutRect(d, 6, 46, 100, 250, 0xFFFFFF, 0xA0A8B0);
    kvTutText(d, "kvPaletteTitle", 10, 48, 90, 16, "Palette", 10, 0x3A5F85, true);
    var items = ["Slider", "Gauge", "Value", "Column Chart", "Pie Chart", "Combo Box", "Label", "Scenario"];
    for (var i = 0; i < items.length; i++)
        kvTutText(d, "kvItem" + i, 12, 68 + i * 20, 90, 18, items[i], 10, 0x222222, false);
    kvTutRect(d, 112, 46, 310, 190, 0xFFFFFF, 0xA0A8B0);
    kvTutText(d, "kvCanvasTitle", 116, 48, 200, 16, "Canvas", 10, 0x3A5F85, true);
    kvTutRect(d, 428, 46, 116, 250, 0xFFFFFF, 0xA0A8B0);
    kvTutText(d, "kvPropsTitle", 432, 48, 100, 16, "Properties", 10, 0x3A5F85, true);
    kvTutRect(d, 112, 242, 310, 54, 0xFFFFFF, 0xA0A8B0);
    kvTutText(d, "kvBookTitle", 116, 243, 200, 16, "Workbook", 10, 0x3A5F85, true);
    kvTutRect(d, 0, 304, kvTutW, 96, 0xFFFFFF, 0xA0A8B0);
    var caption = kvTutText(d, "kvCaption", 14, 312, kvTutW - 28, 80, "", 14, 0x222222, false);
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

// A scene: its caption, where the pointer goes, how many frames it lasts, and what it draws
// as it plays (called every frame with the scene's clip and its progress from 0 to 1).
function kvTutAdd(caption, x, y, frames, draw) {
    kvTutScenes.push({caption: caption, x: x, y: y, frames: frames, draw: draw});
}

function kvTutStep() {
    var scene = kvTutScenes[kvTutScene];
    if (scene == undefined || kvTutFrames >= scene.frames) {
        kvTutScene = (kvTutScene + 1) % kvTutScenes.length;
        if (kvTutScene == 0)
            _root.createEmptyMovieClip("kvActs", 50);
        scene = kvTutScenes[kvTutScene];
        kvTutFrames = 0;
        var format = _root.kvDesigner.kvCaption.getTextFormat();
        _root.kvDesigner.kvCaption.text = (kvTutScene + 1) + "/" + kvTutScenes.length + "  " + scene.caption;
        _root.kvDesigner.kvCaption.setTextFormat(format);
        scene.clip = _root.kvActs.createEmptyMovieClip("kvScene" + kvTutScene, kvTutScene + 1);
    }
    kvTutFrames++;
    var p = Math.min(kvTutFrames / Math.max(scene.frames * 0.6, 1), 1);
    var pointer = _root.kvPointer;
    pointer._x += (scene.x - pointer._x) * 0.2;
    pointer._y += (scene.y - pointer._y) * 0.2;
    if (scene.draw != undefined)
        scene.draw(scene.clip, p);
}

function kvTutStart() {
    kvTutDesigner();
    _root.createEmptyMovieClip("kvActs", 50);
    _root.onEnterFrame = kvTutStep;
}

// Drawings the scenes share: the workbook's cells, a slider and a value on the canvas, and a
// highlighted cell.
function kvTutCells(clip, rows) {
    for (var r = 0; r < rows.length; r++) {
        for (var c = 0; c < rows[r].length; c++) {
            kvTutRect(clip, 118 + c * 70, 260 + r * 16, 70, 16, 0xFFFFFF, 0xC8CED6);
            kvTutText(clip, "kvCell" + r + "_" + c, 120 + c * 70, 260 + r * 16, 68, 16, rows[r][c], 9, 0x222222, false);
        }
    }
}

function kvTutSlider(clip, x, y, fraction, title) {
    kvTutText(clip, "kvSliderTitle", x, y, 140, 16, title, 10, 0x222222, false);
    kvTutRect(clip, x, y + 22, 140, 4, 0xC8CED6, 0x8A939C);
    kvTutRect(clip, x + 140 * fraction - 5, y + 16, 10, 16, 0x8A939C, 0x555555);
}

function kvTutValue(clip, x, y, title, value) {
    kvTutText(clip, "kvValueTitle", x, y, 120, 16, title, 10, 0x222222, false);
    kvTutRect(clip, x, y + 18, 120, 24, 0xFFFFFF, 0x8A939C);
    kvTutText(clip, "kvValue", x + 4, y + 21, 112, 20, value, 12, 0x222222, true);
}

function kvTutMark(clip, x, y, w, h) {
    clip.lineStyle(2, 0xE07020, 100);
    clip.moveTo(x, y);
    clip.lineTo(x + w, y);
    clip.lineTo(x + w, y + h);
    clip.lineTo(x, y + h);
    clip.lineTo(x, y);
}

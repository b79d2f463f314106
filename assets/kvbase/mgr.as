// The manager clip "mgr": drives the recalculation of a published movie and fills the component
// fields that take model values once (static data). Its initialisation runs once, before the
// first frame, with the main timeline as its scope; everything it defines goes to _global so
// that the model code, the components, the sub-movies and the function library reach it
// wherever they run.
//
// The order a published movie keeps: the initialisation code of the model (before the first
// frame) may call xmlToModel and initStaticDataSources; the first frame's script calculates the
// model (kvFirstCalc, which runs kvCalc's parts), then calls kvInitModel, kvInitData (the clips
// of the frame, "mgr" among them, exist by then), every component's script (which may call
// mgr.addOutputComponent) and modelInit. A first calculation too long for one frame goes on in
// the next frames and the rest of that script waits for its end. From then on a component that
// changes a model value sets mgr.calcDirty, and the next frame recalculates.

// The spreadsheet helpers that every formula's operators and most functions need; the functions
// include the others (criteria, lookup, statistics, finance ...) themselves.
#include "shared/sheet/library.as"
#include "shared/sheet/grid.as"
#include "shared/sheet/coerce.as"
#include "shared/sheet/compare.as"
#include "shared/sheet/dates.as"
#include "shared/sheet/round.as"
#include "shared/sheet/aggregate.as"
#include "shared/sheet/operators.as"

// Recalculation passes (docs/formula-calling-convention.md): the first frame's kvCalc is pass
// 1, and the manager counts up before every later kvCalc.
kvLib.kvPass = 1;

// --- The first calculation.

// How long the first frame calculates before it shows the movie and goes on in the next frames,
// and how long each of those frames and each later recalculation's frames calculate, in ms:
// the player stops a script that runs for many seconds, and a dashboard that shows nothing for
// long looks broken. A later frame stays within 300 ms with what it does besides (the outputs
// reading the values at the end).
kvLib.kvFirstSliceMs = 1000;
kvLib.kvNextSliceMs = 250;

// Called by the first frame's script, which defines kvAfterFirstCalc as the rest of what it
// does (kvInitModel, the components' scripts, ...): runs the parts of kvCalc (kvCalc1, kvCalc2,
// ..., in order) for at most the first slice, then kvAfterFirstCalc, all within the frame, as a
// short calculation always has. A longer one stops the main timeline, covers the stage with a
// "Calculating..." notice, and the manager runs the remaining parts over the next frames; once
// they are done it removes the notice and calls kvAfterFirstCalc (which plays on when the
// movie has more frames). Until then nothing but the calculation runs: the components are not
// set up yet, so nothing reads or changes a half-calculated model. A model of one part, or a
// movie without the manager, calculates at once.
_global.kvFirstCalc = function () {
    var mgr = _root.mgr;
    if (mgr == undefined || typeof _root.kvCalc1 != "function") {
        kvCalcParts(kvNewCalcRun(["kvCalc"], false), Infinity);
        _root.kvAfterFirstCalc();
        return;
    }
    // The first calculation is pass 1 however many frames it takes.
    var run = kvNewCalcRun(["kvCalc"], false);
    if (kvCalcParts(run, kvLib.kvFirstSliceMs)) {
        _root.kvAfterFirstCalc();
        return;
    }
    kvCountCalcParts(run);
    mgr.kvFirstRun = run;
    mgr.onEnterFrame = kvMgrFirstCalcTick;
    _root.stop();
    kvShowCalculating(run);
};

// A calculation that may take several frames: the functions named in calls run one after
// another, each through its numbered parts (name1, name2, ...) where it has them; with passes,
// each function is a pass of its own (the one before may have changed cells this one reads, so
// nothing kept of a range carries over).
_global.kvNewCalcRun = function (calls, passes) {
    var run = new Object();
    run.calls = calls;
    run.passes = passes;
    run.index = 0;
    run.next = 0;
    run.done = 0;
    run.count = 0;
    return run;
};

// --- Circular references of a workbook set to iterate.

// The model code names the variables of the circles' cells in kvIterCells (separated by
// spaces), with the workbook's kvIterCount and kvIterDelta. The whole of kvCalc is repeated,
// each time a pass of its own, until no cell of a circle changes by more than kvIterDelta or
// kvCalc has run kvIterCount times, as a spreadsheet set to iterate does.

// The values of the circles' cells, or undefined when the model has no circle to iterate.
_global.kvIterValues = function () {
    var cells = _root.kvIterCells;
    if (cells == undefined || cells == "")
        return undefined;
    var names = cells.split(" ");
    var values = new Array(names.length);
    for (var i = 0; i < names.length; i++)
        values[i] = _root[names[i]];
    return values;
};

// Whether kvCalc must run again after it has run times times from the values before. An
// empty cell counts as 0 and a number that is not finite as changed; any other value changes
// when it differs.
_global.kvIterAgain = function (before, times) {
    if (before == undefined || times >= _root.kvIterCount)
        return false;
    var now = kvIterValues();
    var delta = _root.kvIterDelta;
    for (var i = 0; i < now.length; i++) {
        var a = before[i] == undefined ? 0 : before[i];
        var b = now[i] == undefined ? 0 : now[i];
        if (typeof a == "number" && typeof b == "number") {
            if (!(Math.abs(b - a) <= delta))
                return true;
        } else if (a !== b) {
            return true;
        }
    }
    return false;
};

// --- Cells fetched by place.

// A formula reading cells by place (OFFSET, INDIRECT, CELL, ":" between calls) is calculated
// after every formula it cannot depend on, but may fetch a cell that itself depends on such a
// fetch and comes later. The model code then names those cells in kvPlaceCells (separated by
// spaces), and kvCalcPlace recalculates the readers and everything reading them in order. A
// calculation has settled when none of those cells changed while it ran: every fetch then read
// the value its cell ends with. Until then kvCalcPlace runs again, each time a pass of its own,
// at most kvPlaceMax times, since a fetch in a circle never settles.

// The values of those cells, or undefined when the model has none.
_global.kvPlaceValues = function () {
    var cells = _root.kvPlaceCells;
    if (cells == undefined || cells == "")
        return undefined;
    if (kvLib.kvPlaceText != cells) {
        kvLib.kvPlaceText = cells;
        kvLib.kvPlaceNames = cells.split(" ");
    }
    var names = kvLib.kvPlaceNames;
    var root = _root;
    var values = new Array(names.length);
    for (var i = 0; i < names.length; i++)
        values[i] = root[names[i]];
    return values;
};

// Whether a cell's value is the same: an error is a new object each time it is calculated.
_global.kvSameValue = function (a, b) {
    if (a === b)
        return true;
    if (kvIsErr(a) && kvIsErr(b))
        return a.code == b.code;
    return typeof a == "number" && typeof b == "number" && isNaN(a) && isNaN(b);
};

// Whether kvCalcPlace must run after a calculation that started from the values before.
_global.kvPlaceAgain = function (run) {
    var before = run.placeBefore;
    if (before == undefined)
        return false;
    run.placeTimes = run.placeTimes == undefined ? 1 : run.placeTimes + 1;
    if (run.placeTimes > _root.kvPlaceMax)
        return false;
    var now = kvPlaceValues();
    for (var i = 0; i < now.length; i++) {
        if (!kvSameValue(before[i], now[i]))
            return true;
    }
    return false;
};

// Runs the calculation from where it stopped until it is done (true) or ms have passed (false).
// A part is not begun when the longest one so far would end past that.
_global.kvCalcParts = function (run, ms) {
    var end = getTimer() + ms;
    var root = _root;
    var calls = run.calls;
    if (run.longest == undefined)
        run.longest = 0;
    while (run.index < calls.length) {
        var name = calls[run.index];
        var start = getTimer();
        if (run.next == 0) {
            if (run.passes)
                kvLib.kvPass = kvLib.kvPass == undefined ? 1 : kvLib.kvPass + 1;
            if (name == "kvCalc") {
                if (run.times == undefined)
                    run.times = 0;
                run.before = kvIterValues();
            }
            run.placeBefore = kvPlaceValues();
            if (typeof root[name + "1"] != "function") {
                // a function of one part
                root[name]();
                run.done++;
                kvCalcCallDone(run, name);
            } else {
                run.next = 1;
            }
        }
        if (run.next != 0) {
            var part = name + run.next;
            run.next++;
            run.done++;
            root[part]();
            if (typeof root[name + run.next] != "function") {
                run.next = 0;
                kvCalcCallDone(run, name);
            }
        }
        var now = getTimer();
        if (now - start > run.longest)
            run.longest = now - start;
        if (now + run.longest >= end)
            return run.index >= calls.length;
    }
    return true;
};

// Moves a run on past the call just finished, unless it is kvCalc over circles that have not
// settled yet: then kvCalc runs again, as a pass of its own even in the first calculation.
// After the last call, kvCalcPlace follows while cells fetched by place have not settled.
_global.kvCalcCallDone = function (run, name) {
    if (name == "kvCalc" && kvIterAgain(run.before, ++run.times)) {
        if (!run.passes)
            kvLib.kvPass++;
        return;
    }
    if (run.index == run.calls.length - 1 && kvPlaceAgain(run)) {
        run.calls.push("kvCalcPlace");
        if (!run.passes)
            kvLib.kvPass++;
        if (run.count > 0)
            kvCountCalcParts(run);
    }
    run.index++;
};

// The parts a run has in all, for the notice's bar.
_global.kvCountCalcParts = function (run) {
    var count = 0;
    for (var i = 0; i < run.calls.length; i++) {
        var n = 1;
        while (typeof _root[run.calls[i] + n] == "function")
            n++;
        count += n > 1 ? n - 1 : 1;
    }
    run.count = count;
};

_global.kvMgrFirstCalcTick = function () {
    var run = this.kvFirstRun;
    // Every other frame only shows the notice: the player draws the stage between frames
    // that leave it time to.
    run.rest = !run.rest;
    if (run.rest)
        return;
    if (!kvCalcParts(run, kvLib.kvNextSliceMs)) {
        kvShowCalculating(run);
        return;
    }
    delete this.kvFirstRun;
    delete this.onEnterFrame;
    _root.kvBusy.removeMovieClip();
    _root.kvAfterFirstCalc();
};

// The notice of a calculation in progress: a veil over the stage, and in its middle
// "Calculating..." over a bar of the share of the parts done. Made on top of everything at the
// first call, its bar redrawn at the next.
_global.kvShowCalculating = function (run) {
    var w = Stage.width, h = Stage.height;
    var boxW = 180, boxH = 56;
    var x = Math.round((w - boxW) / 2), y = Math.round((h - boxH) / 2);
    var busy = _root.kvBusy;
    if (busy == undefined) {
        _root.createEmptyMovieClip("kvBusy", 1048000);
        busy = _root.kvBusy;
        kvFillRect(busy, 0, 0, w, h, 0xFFFFFF, 70);
        busy.lineStyle(1, 0x999999, 100);
        kvFillRect(busy, x, y, boxW, boxH, 0xFFFFFF, 100);
        busy.lineStyle();
        busy.createTextField("label", 1, x, y + 8, boxW, 22);
        var label = busy.label;
        label.selectable = false;
        label.text = "Calculating...";
        var format = new TextFormat();
        format.font = "_sans";
        format.size = 13;
        format.color = 0x333333;
        format.align = "center";
        label.setTextFormat(format);
        busy.createEmptyMovieClip("bar", 2);
        // A click on the veil goes nowhere: the components under it are not set up yet, or
        // would read a half-calculated model.
        busy.onPress = function () {};
        busy.useHandCursor = false;
    }
    var bar = busy.bar;
    bar.clear();
    var barW = boxW - 40;
    kvFillRect(bar, x + 20, y + 36, barW, 8, 0xDDDDDD, 100);
    var done = run.count > 0 ? run.done / run.count : 0;
    if (done > 0)
        kvFillRect(bar, x + 20, y + 36, Math.max(1, Math.round(barW * Math.min(1, done))), 8, 0x3C78C8, 100);
};

_global.kvFillRect = function (clip, x, y, w, h, color, alpha) {
    clip.beginFill(color, alpha);
    clip.moveTo(x, y);
    clip.lineTo(x + w, y);
    clip.lineTo(x + w, y + h);
    clip.lineTo(x, y + h);
    clip.lineTo(x, y);
    clip.endFill();
};

// Called by the first frame's script. hosted is 1 when the movie plays inside the designer.
_global.kvInitData = function (hosted) {
    var mgr = _root.mgr;
    if (mgr == undefined) {
        // Nobody counts the passes of later calculations, so functions must keep nothing.
        kvLib.kvPass = undefined;
        return;
    }
    mgr.kvHosted = hosted == 1;
    if (mgr.kvOutputs == undefined)
        mgr.kvOutputs = [];
    mgr.calcDirty = false;
    mgr.addOutputComponent = kvMgrAddOutputComponent;
    mgr.recalculate = kvMgrRecalculate;
    mgr.kvRun = kvMgrRun;
    mgr.onEnterFrame = kvMgrTick;
    mgr.kvInputs = kvInputValues();
    _global.kvMgrReady = true;
    if (_global.kvStaticPending)
        kvApplyStaticData();
};

// A component that shows calculated values; after every recalculation the outputs read the new
// values in the order they registered, each once however often it registered.
_global.kvMgrAddOutputComponent = function (clip) {
    var outputs = this.kvOutputs;
    for (var i = 0; i < outputs.length; i++) {
        if (outputs[i] == clip)
            return;
    }
    outputs.push(clip);
};

// Runs the model's formulas on the main timeline, then lets every output read the results. A
// change made while the outputs update marks the model dirty again for the next frame. With
// refill, new data have arrived: the static fields take their values again before the outputs
// update. A recalculation longer than a slice goes on over the next frames under the notice of
// the first one, and the outputs update at its end; what asks for another meanwhile is
// recalculated after it.
_global.kvMgrRun = function (refill) {
    if (this.kvCalcRun != undefined) {
        if (refill)
            this.kvRefillAfter = true;
        else
            this.calcDirty = true;
        return;
    }
    this.calcDirty = false;
    var run = kvNewCalcRun(refill ? ["kvCalc"] : kvMgrChangedCalls(this.kvInputs), true);
    run.refill = refill;
    this.kvInputs = kvInputValues();
    if (kvCalcParts(run, kvLib.kvNextSliceMs)) {
        kvMgrCalcDone(this, refill);
        return;
    }
    kvCountCalcParts(run);
    this.kvCalcRun = run;
    kvShowCalculating(run);
};

// After a recalculation: the static fields when new data came, then the outputs.
_global.kvMgrCalcDone = function (mgr, refill) {
    if (refill && _global.kvStaticPending)
        kvApplyStaticData();
    var outputs = mgr.kvOutputs;
    for (var i = 0; i < outputs.length; i++)
        outputs[i].updateCalc();
};

// The values of the model's inputs (the cells components write, named in INP) in INP's order;
// undefined for a model without the list.
_global.kvInputValues = function () {
    var names = _root.INP;
    if (names == undefined)
        return undefined;
    var values = new Array();
    for (var i = 0; i < names.length; i++)
        values.push(_root[names[i]]);
    return values;
};

// What recalculates after the user's changes. The model has, for an input whose dependents can
// be recalculated alone, the function kvCalcIn<id>x; when the only inputs that differ from
// before have one, those functions run, one after another: each recalculates in dependency
// order everything that depends on its input and the cells that change without an input
// (NOW(), RAND(), ...) with theirs, reading the other inputs' new values already, so what
// depends on two of them is right once the second has run. Anything else (a change found in no
// input, an input without its function, a model without the list) recalculates everything.
_global.kvMgrChangedCalls = function (before) {
    var names = _root.INP;
    if (names == undefined || before == undefined || before.length != names.length)
        return ["kvCalc"];
    var calls = new Array();
    for (var i = 0; i < names.length; i++) {
        if (_root[names[i]] !== before[i]) {
            var name = "kvCalcIn" + names[i].substr(1) + "x";
            if (typeof _root[name] != "function")
                return ["kvCalc"];
            calls.push(name);
        }
    }
    return calls.length == 0 ? ["kvCalc"] : calls;
};

// Recalculates at once what the changes since before need, each function a pass of its own.
_global.kvMgrCalcChanged = function (before) {
    kvCalcParts(kvNewCalcRun(kvMgrChangedCalls(before), true), Infinity);
};

// Called by the loader after every answer of a web service or an XML map.
_global.kvMgrRecalculate = function () {
    this.kvRun(true);
};

// Changes by the user mark the model dirty; the next frame recalculates it once, however many
// changes came in between. A recalculation over frames goes on every other frame, as the
// first one does.
_global.kvMgrTick = function () {
    var run = this.kvCalcRun;
    if (run != undefined) {
        run.rest = !run.rest;
        if (run.rest)
            return;
        if (!kvCalcParts(run, kvLib.kvNextSliceMs)) {
            kvShowCalculating(run);
            return;
        }
        delete this.kvCalcRun;
        _root.kvBusy.removeMovieClip();
        kvMgrCalcDone(this, run.refill);
        return;
    }
    if (this.kvRefillAfter) {
        this.kvRefillAfter = false;
        this.kvRun(true);
    } else if (this.calcDirty) {
        this.kvRun(false);
    }
};

// --- Static data: component fields filled from the model once the values are known.

// Called by the model's initialisation, before the components exist: the table STATIC names,
// for each model variable id, the fields it feeds as [parent path, field name] pairs. The fields
// are filled as soon as the components exist, and again whenever new data arrive
// (mgr.recalculate).
_global.initStaticDataSources = function () {
    _global.kvStaticPending = true;
    if (_global.kvMgrReady)
        kvApplyStaticData();
};

_global.kvApplyStaticData = function () {
    var table = _root.STATIC;
    for (var id in table) {
        var value = _root["V" + id];
        var pairs = table[id];
        for (var i = 0; i < pairs.length; i++) {
            var target = kvResolvePath(pairs[i][0]);
            if (target != undefined)
                target[pairs[i][1]] = value;
        }
    }
};

// The object a dotted path names from the main timeline ("Chart_1.series"); undefined when any
// part is missing.
_global.kvResolvePath = function (path) {
    var target = _root;
    if (path == "")
        return target;
    var names = path.split(".");
    for (var i = 0; i < names.length; i++) {
        target = target[names[i]];
        if (target == undefined)
            return undefined;
    }
    return target;
};

// --- Data from a web service.

// The model's start-up calls this in movies fed by a web service or XML maps. The loader movie
// (loaddata) that such movies carry replaces it with its own, which loads the data, and then
// calls mgr.recalculate() after every answer; until then there is nothing to load.
_global.xmlToModel = function () {
    _global.kvWebService = true;
};

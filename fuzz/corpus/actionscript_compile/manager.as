// The manager clip "mgr": owns the recalculation of the published movie. Its initialisation
// runs once, before the first frame, in the scope of the main timeline; everything it defines
// goes to _global so that the model code, the components and the function library reach it
// wherever they run.

#include "shared/sheet.as"

// Called by the first frame's script once the clips of the frame exist. hosted is 1 when the
// movie plays inside the designer, 0 when published.
_global.kvInitData = function (hosted) {
    var mgr = _root.mgr;
    mgr.kvHosted = hosted == 1;
    mgr.kvOutputs = [];
    mgr.calcDirty = false;
    mgr.addOutputComponent = kvMgrAddOutputComponent;
    mgr.recalculate = kvMgrRecalculate;
    mgr.onEnterFrame = kvMgrTick;
};

// A component that shows calculated values; it is updated after every recalculation, in the
// order of registration, and only once however often it registers.
_global.kvMgrAddOutputComponent = function (clip) {
    var outputs = this.kvOutputs;
    for (var i = 0; i < outputs.length; i++) {
        if (outputs[i] == clip)
            return;
    }
    outputs.push(clip);
};

// Runs the model's formulas, then lets every output component read the new values.
_global.kvMgrRecalculate = function () {
    this.calcDirty = false;
    _root.kvCalc();
    var outputs = this.kvOutputs;
    for (var i = 0; i < outputs.length; i++)
        outputs[i].updateCalc();
};

// A change by the user marks the model dirty; the next frame recalculates it once, however
// many changes came in between.
_global.kvMgrTick = function () {
    if (this.calcDirty)
        this.recalculate();
};

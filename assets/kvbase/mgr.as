// The manager clip "mgr": drives the recalculation of a published movie and feeds the model from
// data that arrive at run time. Its initialisation runs once, before the first frame, with the
// main timeline as its scope; everything it defines goes to _global so that the model code, the
// components, the sub-movies and the function library reach it wherever they run.
//
// The order a published movie keeps: the initialisation code of the model (before the first
// frame) may call xmlToModel and initStaticDataSources; the first frame's script calls kvCalc,
// kvInitModel, then kvInitData (the clips of the frame, "mgr" among them, exist by then), then
// every component's script (which may call mgr.addOutputComponent) and modelInit. From then on a
// component that changes a model value sets mgr.calcDirty, and the next frame recalculates.

#include "shared/sheet.as"

// Called by the first frame's script. hosted is 1 when the movie plays inside the designer.
_global.kvInitData = function (hosted) {
    var mgr = _root.mgr;
    if (mgr == undefined)
        return;
    mgr.kvHosted = hosted == 1;
    if (mgr.kvOutputs == undefined)
        mgr.kvOutputs = [];
    mgr.calcDirty = false;
    mgr.addOutputComponent = kvMgrAddOutputComponent;
    mgr.recalculate = kvMgrRecalculate;
    mgr.onEnterFrame = kvMgrTick;
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
// change made while the outputs update marks the model dirty again for the next frame.
_global.kvMgrRecalculate = function () {
    this.calcDirty = false;
    _root.kvCalc();
    var outputs = this.kvOutputs;
    for (var i = 0; i < outputs.length; i++)
        outputs[i].updateCalc();
};

// Changes by the user mark the model dirty; the next frame recalculates it once, however many
// changes came in between.
_global.kvMgrTick = function () {
    if (this.calcDirty)
        this.recalculate();
};

// Marks the model for recalculation, wherever the caller runs.
_global.kvMgrSetDirty = function () {
    var mgr = _root.mgr;
    if (mgr != undefined)
        mgr.calcDirty = true;
};

// --- Static data: component fields filled from the model once the values are known.

// Called by the model's initialisation, before the components exist: the table STATIC names,
// for each model variable id, the fields it feeds as [parent path, field name] pairs. The fields
// are filled as soon as the components exist, and again whenever new data arrive.
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

// Without an argument (the model's initialisation), the movie takes its data from a web
// service: the model waits for them. With the service's answer (an XML object or its text) in
// the data form <data><variable name="..."><row><column>value</column>...</row></variable></data>,
// every variable names an entry of DAT, whose rows of cell names receive the columns' values; the
// static fields are filled again and the model recalculates. Returns the number of cells set.
_global.xmlToModel = function (answer) {
    _global.kvWebService = true;
    if (answer == undefined)
        return 0;
    // Not "xml": names are case-insensitive, and a local of that name would hide the XML class.
    var doc = answer;
    if (typeof answer == "string") {
        doc = new XML();
        doc.ignoreWhite = true;
        doc.parseXML(answer);
    }
    var count = 0;
    var data = kvFirstElement(doc, "data");
    for (var v = kvFirstElement(data, "variable"); v != null; v = kvNextElement(v, "variable"))
        count += kvReadVariable(v, _root.DAT[v.attributes.name]);
    if (_global.kvStaticPending)
        kvApplyStaticData();
    kvMgrSetDirty();
    return count;
};

// Writes the rows of one <variable> element into the cells a range's rows name.
_global.kvReadVariable = function (element, range) {
    if (range == undefined)
        return 0;
    var count = 0;
    var r = 0;
    for (var row = kvFirstElement(element, "row"); row != null && r < range.length; row = kvNextElement(row, "row")) {
        var names = range[r++];
        var c = 0;
        for (var col = kvFirstElement(row, "column"); col != null && c < names.length; col = kvNextElement(col, "column")) {
            _root[names[c++]] = kvCellValue(col);
            count++;
        }
    }
    return count;
};

// A column's text as a cell value: decimal numbers become numbers (never octal or hexadecimal,
// as the player's own conversion would read "010" and "0x1F"), an empty column an empty cell,
// anything else stays text.
_global.kvCellValue = function (column) {
    var text = "";
    for (var node = column.firstChild; node != null; node = node.nextSibling) {
        if (node.nodeType == 3)
            text += node.nodeValue;
    }
    if (text == "")
        return undefined;
    return kvIsDecimal(text) ? parseFloat(text) : text;
};

_global.kvIsDecimal = function (text) {
    var i = 0;
    var n = text.length;
    if (text.charAt(0) == "-" || text.charAt(0) == "+")
        i++;
    var digits = 0;
    while (i < n && text.charAt(i) >= "0" && text.charAt(i) <= "9") {
        i++;
        digits++;
    }
    if (i < n && text.charAt(i) == ".") {
        i++;
        while (i < n && text.charAt(i) >= "0" && text.charAt(i) <= "9") {
            i++;
            digits++;
        }
    }
    if (digits == 0)
        return false;
    if (i < n && (text.charAt(i) == "e" || text.charAt(i) == "E")) {
        i++;
        if (text.charAt(i) == "-" || text.charAt(i) == "+")
            i++;
        var exponent = i;
        while (i < n && text.charAt(i) >= "0" && text.charAt(i) <= "9")
            i++;
        if (i == exponent)
            return false;
    }
    return i == n;
};

// The first child element of a node with the name (any case), or null.
_global.kvFirstElement = function (node, name) {
    if (node == undefined)
        return null;
    return kvMatchElement(node.firstChild, name);
};

_global.kvNextElement = function (node, name) {
    return kvMatchElement(node.nextSibling, name);
};

_global.kvMatchElement = function (node, name) {
    while (node != null && !(node.nodeType == 1 && node.nodeName.toLowerCase() == name))
        node = node.nextSibling;
    return node;
};

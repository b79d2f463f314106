// The answers to the designer's data query. The designer calls the frame "GetData" (values of
// the components and the cells) or "GetData2" (the cells only) and listens to fscommand:
//   cmp  <instance> <parameter> <value>
//   cmp2 <instance> <group> <member> <value>
//   data V<id> <number|string|boolean|undefined> <value>
//   done
// A component takes part by offering kvScenarioValues(), which returns a list of records
// {parameter, value} or {group, member, value} for the values the user may have changed.

#include "shared/cellname.as"

_global.kvScnReportComponents = function () {
    for (var name in _root) {
        var clip = _root[name];
        if (typeof clip != "movieclip" || typeof clip.kvScenarioValues != "function")
            continue;
        var values = clip.kvScenarioValues();
        for (var i = 0; i < values.length; i++) {
            var v = values[i];
            if (v.group != undefined)
                fscommand("cmp2", clip._name + " " + v.group + " " + v.member + " " + String(v.value));
            else
                fscommand("cmp", clip._name + " " + v.parameter + " " + String(v.value));
        }
    }
};

_global.kvScnReportCells = function () {
    for (var name in _root) {
        if (!kvIsCellName(name))
            continue;
        var value = _root[name];
        var kind = typeof value;
        if (kind == "number" || kind == "string" || kind == "boolean")
            fscommand("data", name + " " + kind + " " + String(value));
        else if (kind == "undefined" || kind == "null")
            fscommand("data", name + " undefined");
    }
};

// Scenario: saves the values of its cells ("scenarioCells") under a name, loads a saved one
// back into the cells and deletes one, keeping them in a shared object on the viewer's
// computer (shared/scenario.as).
#include "shared/scenario.as"

var scenario = kvDefineComponent("KVScenarioSymbol", 200, 150, function () { this.kvScnDraw(); });
scenario.kvWatch = [];
kvScnDefine(scenario, false);
// The class keeps what it needs: the variable would hide a placed clip of the same name.
delete scenario;

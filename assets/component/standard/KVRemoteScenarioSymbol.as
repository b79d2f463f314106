// Remote scenario: the scenario component whose scenarios live on the collaboration server,
// shared by everyone connected through the movie's connection (shared/scenario.as); without a
// connection it says so and keeps nothing.
#include "shared/scenario.as"

var remote = kvDefineComponent("KVRemoteScenarioSymbol", 200, 150, function () { this.kvScnDraw(); });
remote.kvWatch = [];
kvScnDefine(remote, true);
// The class keeps what it needs: the variable would hide a placed clip of the same name.
delete remote;

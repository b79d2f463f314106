// Art background 2 (shared/background.as).
#include "shared/background.as"

kvDefineComponent("KVBackground2Symbol", 200, 150, function () { this.kvDrawBackground(2); },
                  {kvDrawBackground: kvDrawBackground, kvShowPicture: kvShowPicture});

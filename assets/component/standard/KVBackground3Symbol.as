// Art background 3 (shared/background.as).
#include "shared/background.as"

kvDefineComponent("KVBackground3Symbol", 200, 150, function () { this.kvDrawBackground(3); },
                  {kvDrawBackground: kvDrawBackground, kvShowPicture: kvShowPicture});

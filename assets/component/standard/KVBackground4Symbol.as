// Art background 4 (shared/background.as).
#include "shared/background.as"

kvDefineComponent("KVBackground4Symbol", 200, 150, function () { this.kvDrawBackground(4); },
                  {kvDrawBackground: kvDrawBackground, kvShowPicture: kvShowPicture});

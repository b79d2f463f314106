// Art background 5 (shared/background.as).
#include "shared/background.as"

kvDefineComponent("KVBackground5Symbol", 200, 150, function () { this.kvDrawBackground(5); },
                  {kvDrawBackground: kvDrawBackground, kvShowPicture: kvShowPicture});

// Horizontal progress bar (shared/progress.as): filled from the left; the filled width stays in
// kvFillW.
#include "shared/progress.as"

kvDefineComponent("KVProgressBarHSymbol", 200, 40, function () { this.kvDrawProgressBar(false); },
                  {kvDrawProgressBar: kvDrawProgressBar});

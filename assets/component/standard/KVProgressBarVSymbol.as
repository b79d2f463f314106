// Vertical progress bar (shared/progress.as): filled from the bottom; the filled height stays
// in kvFillH.
#include "shared/progress.as"

kvDefineComponent("KVProgressBarVSymbol", 60, 200, function () { this.kvDrawProgressBar(true); },
                  {kvDrawProgressBar: kvDrawProgressBar});

// Horizontal line (shared/line.as).
#include "shared/line.as"

kvDefineComponent("KVLineSymbol", 200, 10, function () { this.kvDrawLine(false); }, {kvDrawLine: kvDrawLine});

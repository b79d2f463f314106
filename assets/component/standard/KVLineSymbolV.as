// Vertical line (shared/line.as).
#include "shared/line.as"

kvDefineComponent("KVLineSymbolV", 10, 200, function () { this.kvDrawLine(true); }, {kvDrawLine: kvDrawLine});

// Gauge: shows the bound value ("mv") with a needle on a round scale (shared/gauge.as).
#include "shared/gauge.as"

kvDefineComponent("KVGaugeSymbol", 160, 180, kvDrawGauge);

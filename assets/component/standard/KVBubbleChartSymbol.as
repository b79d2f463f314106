// Bubble chart: a circle per point of numeric X and Y values whose area is in proportion to
// its size.
#include "shared/chart.as"

kvDefineComponent("KVBubbleChartSymbol", 300, 200, function () { this.kvDrawXYChart(true); },
                  {kvScaleButton: kvScaleButton, kvDrawXYChart: kvDrawXYChart, kvWatch: ["chartTitle", "chartSubTitle"]});

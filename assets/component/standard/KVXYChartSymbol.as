// XY chart: points of numeric X and Y values on two numeric axes.
#include "shared/chart.as"

kvDefineComponent("KVXYChartSymbol", 300, 200, function () { this.kvDrawXYChart(false); },
                  {kvScaleButton: kvScaleButton, kvDrawXYChart: kvDrawXYChart, kvWatch: ["chartTitle", "chartSubTitle"]});

// Line chart: one line per series through its categories, with a marker at each point.
#include "shared/chart.as"

kvDefineComponent("KVLineChartSymbol", 300, 200, function () { this.kvDrawCategoryChart(false, true); },
                  {kvScaleButton: kvScaleButton, kvDrawCategoryChart: kvDrawCategoryChart, kvWatch: ["chartTitle", "chartSubTitle"]});

// Stacked bar chart: the series of a category piled into one horizontal bar, positive values
// rightwards from the axis and negative ones leftwards from it.
#include "shared/chart.as"

kvDefineComponent("KVStackBarChartSymbol", 300, 200, function () { this.kvDrawCategoryChart(true, false, "stacked"); },
                  {kvScaleButton: kvScaleButton, kvDrawCategoryChart: kvDrawCategoryChart, kvWatch: ["chartTitle", "chartSubTitle"]});

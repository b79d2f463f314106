// Stacked column chart: the series of a category piled into one column, positive values
// upwards from the axis and negative ones downwards from it.
#include "shared/chart.as"

kvDefineComponent("KVStackColumnChartSymbol", 300, 200, function () { this.kvDrawCategoryChart(false, false, "stacked"); },
                  {kvScaleButton: kvScaleButton, kvDrawCategoryChart: kvDrawCategoryChart, kvWatch: ["chartTitle", "chartSubTitle"]});

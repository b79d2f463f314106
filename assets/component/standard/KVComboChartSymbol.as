// Combination chart: the series typed "column" in "seriesTypes" as columns, the others as lines
// over them, on one plot; with "showSecondAxis" the lines take a scale of their own on the right.
#include "shared/chart.as"

kvDefineComponent("KVComboChartSymbol", 300, 200, function () { this.kvDrawCategoryChart(false, false, "combo"); },
                  {kvScaleButton: kvScaleButton, kvDrawCategoryChart: kvDrawCategoryChart, kvWatch: ["chartTitle", "chartSubTitle"]});

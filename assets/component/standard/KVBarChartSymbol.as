// Bar chart: horizontal bars, one per category and series, scaled from 0 to a round top.
#include "shared/chart.as"

kvDefineComponent("KVBarChartSymbol", 300, 200, function () { this.kvDrawCategoryChart(true); },
                  {kvScaleButton: kvScaleButton, kvDrawCategoryChart: kvDrawCategoryChart, kvWatch: ["chartTitle", "chartSubTitle"]});

// Column chart: one column per category and series, scaled from 0 to a round top.
#include "shared/chart.as"

kvDefineComponent("KVColumnChartSymbol", 300, 200, function () { this.kvDrawCategoryChart(false); },
                  {kvScaleButton: kvScaleButton, kvDrawCategoryChart: kvDrawCategoryChart, kvWatch: ["chartTitle", "chartSubTitle"]});

// Line chart: one line per series through its categories, with a marker at each point.
#include "shared/chart.as"

var chart = kvDefineComponent("KVLineChartSymbol", 300, 200, function () { this.kvDrawCategoryChart(false, true); });
chart.kvDrawCategoryChart = kvDrawCategoryChart;
chart.kvWatch = ["chartTitle"];

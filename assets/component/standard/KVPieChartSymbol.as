// Pie chart: one slice per category of its data, in proportion to the values.
#include "shared/chart.as"

var chart = kvDefineComponent("KVPieChartSymbol", 300, 200, kvDrawPieChart);
chart.kvWatch = ["chartTitle"];

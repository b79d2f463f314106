// Pie chart: one slice per category of its data, in proportion to the values.
#include "shared/chart.as"

kvDefineComponent("KVPieChartSymbol", 300, 200, kvDrawPieChart, {kvScaleButton: kvScaleButton, kvWatch: ["chartTitle"]});

#pragma once

// The order of the components' icons in the palette's icon strips: a symbol's icon is its place
// here. The build draws the strips in this order and the palette finds icons by it.

#include <array>

namespace model {

inline constexpr std::array<const char*, 50> kPaletteIconOrder = {
    "FScrollEditSymbol",       "KVGridSymbol",          "KVTableNewSymbol",         "KVMapUSASymbol",
    "KVProgressBarVSymbol",    "KVSliderVSymbol",       "KVSliderHSymbol",          "KVProgressBarHSymbol",
    "KVPlaySelectorSymbol",    "KVScenarioSymbol",      "KVPlayNormalSymbol",       "KVUrlButtonSymbol",
    "KVGaugeSymbol",           "KVDialSymbol",          "KVValueDisplaySymbol",     "KVTrendIconSymbol",
    "KVAlertButtonSymbol",     "KVLabelCompSymbol",     "KVRadioButtonSetSymbol",   "KVMenuSymbol",
    "KVListBoxSymbol",         "KVLineSymbolV",         "KVLineSymbol",             "KVPushButtonSymbol",
    "KVFilterSymbol",          "KVComboBoxSymbol",      "KVCheckBoxSymbol",         "KVXYChartSymbol",
    "KVPieChartSymbol",        "KVLineChartSymbol",     "KVColumnChartSymbol",      "KVBubbleChartSymbol",
    "KVBarChartSymbol",        "KVBackground4Symbol",   "KVBackground3Symbol",      "KVBackground2Symbol",
    "KVBackgroundSymbol",      "FScrollBoxSymbol",      "KVInputTextSymbol",        "KVStackBarChartSymbol",
    "KVStackColumnChartSymbol", "KVTextAreaInputSymbol", "KVXMLDataSymbol",          "KVComboChartSymbol",
    "KVBackground5Symbol",     "KVMapEuropeSymbol",     "KVLoginSymbol",            "KVConnectionLightSymbol",
    "KVPeopleListSymbol",      "KVRemoteScenarioSymbol",
};

} // namespace model

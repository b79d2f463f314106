// Every chart's pages, default file and movie agree: what a page looks for is in the chart's
// default file (else the control stays disabled), and what a page edits is read by the chart's
// movie (else the setting changes nothing a person can see).

#include "tests/pages/PageKeys.h"

namespace {

class ChartKeysContractTest : public pagekeys::RegisteredPagesTest {};

// Keys a chart's pages look for that a chart of its kind rightly lacks: the page hides or
// disables their controls for it.
using Keys = std::set<std::string>;
// Names tried before the ones charts use: the capitalised text formats, the alert control's
// custom colours before "alertColors".
const Keys kTriedFirst = {"ChartTitleTextFormat", "LegendTextFormat", "chartSubTitleTextFormat", "customAlertColors"};
// What single-value components alone have: the limits they take from their alerts, which the
// Alerts page resets, and the switches between colouring the component and its value text.
const Keys kSingleValueOnly = {"initialMinMax", "objectAlertsEnabled", "valueAlertsEnabled", "customAlertFontColors"};
// Charts of one kind of value have no alert variable to choose; category charts no X scale.
const Keys kOneValueKind = {"alertVar"};
const Keys kNoXScale = {"minX", "maxX"};
// Bars, bubbles and slices have no lines and no markers.
const Keys kNoLines = {"showMarkers", "seriesMarkers", "lineColors", "lineWeights", "lineWeight", "markerOverlap"};
// A pie has no scale, no gridlines, no markers and no art.
const Keys kPie = {"minX", "maxX", "minY", "maxY", "numMajor", "numMinor", "zoomOut", "fixedLabelWidth", "labelUnitAbv",
                   "showFocus", "showReset", "showScaleBehavior", "XAxisMajorWeight", "XAxisMinorWeight",
                   "YAxisMajorWeight", "YAxisMinorWeight", "showMarkers", "seriesMarkers", "lineWeights",
                   "lineWeight", "markerOverlap", "useMarkerArt"};

Keys Lacking(const std::string& symbol)
{
    Keys lacking = kSingleValueOnly;
    auto add = [&](const Keys& keys) { lacking.insert(keys.begin(), keys.end()); };
    add(kTriedFirst);
    if (symbol == "KVPieChartSymbol") {
        add(kPie);
        add(kOneValueKind);
    } else if (symbol == "KVXYChartSymbol" || symbol == "KVBubbleChartSymbol") {
        lacking.insert("categoryLabels");
        if (symbol == "KVBubbleChartSymbol")
            add(kNoLines);
        else
            add({"lineWeight", "markerOverlap"}); // each XY series has its own weight
    } else {
        add(kOneValueKind);
        add(kNoXScale);
        if (symbol == "KVComboChartSymbol")
            lacking.insert("useMarkerArt"); // its columns and lines have art flags of their own
        else if (symbol != "KVLineChartSymbol")
            add(kNoLines);
        if (symbol == "KVComboChartSymbol" || symbol == "KVLineChartSymbol")
            lacking.insert("markerOverlap"); // stacked bars only; these take "lineWeight"
    }
    return lacking;
}

TEST_F(ChartKeysContractTest, EveryKeyThePagesOfAChartLookForIsInItsDefaultsAndReadByItsMovie)
{
    for (const char* symbol : {"KVColumnChartSymbol", "KVBarChartSymbol", "KVLineChartSymbol", "KVPieChartSymbol",
                               "KVXYChartSymbol", "KVBubbleChartSymbol", "KVStackColumnChartSymbol",
                               "KVStackBarChartSymbol", "KVComboChartSymbol"}) {
        SCOPED_TRACE(symbol);
        CParameterSet* root = Load(symbol, "");
        const pagekeys::PageKeys keys = pagekeys::KeysThePagesEdit(*root, context, parent, owner);
        // Driving the pages found something: the sheet opened every page.
        EXPECT_GT(keys.found.size(), 60u);
        const Keys lacking = Lacking(symbol);
        for (const std::string& key : keys.missing)
            if (lacking.count(key) == 0)
                ADD_FAILURE() << "the pages look for \"" << key << "\", which the default file lacks";
        const auto shipped = model::ReadDefaultParametersFile(pagetest::DefaultsFile(symbol).string());
        const std::set<std::string> names = pagekeys::NamesTheMovieReads(symbol);
        for (const std::string& key : keys.found) {
            EXPECT_TRUE(pagekeys::HasKey(*shipped.parameters, key)) << key;
            EXPECT_TRUE(pagekeys::MovieReads(names, key)) << "the movie never reads \"" << key << "\"";
        }
    }
}

} // namespace

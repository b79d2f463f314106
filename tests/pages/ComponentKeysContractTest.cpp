// Every shipped component's pages, default file and movie agree: what a page edits is read by the
// component's movie (else the setting changes nothing a person can see), and what the default file
// ships is edited by a page, written by the document's style (the Styles sheet edits it for every
// component at once) or kept by the program itself.

#include "model/GlobalStyle.h"
#include "tests/pages/PageKeys.h"

#include <algorithm>

namespace {

using Keys = std::set<std::string>;

class ComponentKeysContractTest : public pagekeys::RegisteredPagesTest {};

std::vector<std::string> ShippedSymbols()
{
    std::vector<std::string> symbols;
    for (const auto& entry :
         std::filesystem::directory_iterator(testsupport::SourceDir() / "assets" / "component" / "default"))
        if (entry.path().extension() == ".xml")
            symbols.push_back(entry.path().stem().string());
    std::sort(symbols.begin(), symbols.end());
    return symbols;
}

// The key paths of a group: nested groups (text formats, frames) by their own keys, lists and
// tables as one key.
void GroupKeys(const CParameterSet& set, const std::string& path, Keys& keys)
{
    for (int i = 0; i < set.GetCount(); ++i) {
        const CParameter* p = set.GetAt(i);
        const std::string name = path.empty() ? p->GetName() : path + "/" + p->GetName();
        if (p->GetType() == model::ParamType::Group && p->GetSet() != nullptr)
            GroupKeys(*p->GetSet(), name, keys);
        else
            keys.insert(name);
    }
}

Keys ShippedKeys(const CParameterSet& root)
{
    Keys keys;
    for (int g = 0; g < root.GetCount(); ++g)
        if (root.GetAt(g)->GetType() == model::ParamType::Group && root.GetAt(g)->GetSet() != nullptr)
            GroupKeys(*root.GetAt(g)->GetSet(), "", keys);
    return keys;
}

// The names the style writes, learnt from the style record itself.
struct StyleNames {
    Keys* names;
    template <class T> void Text(const char* name, T&) { names->insert(name); }
    template <class T> void Color(const char* name, T&) { names->insert(name); }
    template <class T> void Int(const char* name, T&) { names->insert(name); }
    template <class T> void Bool(const char* name, T&) { names->insert(name); }
};

Keys StyleKeys()
{
    Keys names = {"borderColor", "fillColor",
                  // the axis fields, spelt with their axis in front, and the chart's series colours
                  "XAxisColor", "YAxisColor", "XAxisTitleTextFormat", "YAxisTitleTextFormat", "XAxisTextFormat",
                  "YAxisTextFormat", "seriesColors"};
    CGlobalStyle style;
    StyleNames visitor{&names};
    model::StyleGlobalColors::Visit(style.globalColors, visitor);
    model::StyleSelectors::Visit(style.selectors, visitor);
    model::StyleSingleVals::Visit(style.singleVals, visitor);
    model::StyleCharts::Visit(style.charts, visitor);
    return names;
}

// Keys no page edits that rightly stay: what the designer or the publisher fills in, or what
// documents described by text set.
const std::map<std::string, Keys> kKept = {
    // the cells a scenario saves and the name it saves them under come from the document
    {"KVScenarioSymbol", {"scenarioCells", "storeName"}},
    {"KVRemoteScenarioSymbol", {"scenarioCells", "storeName"}},
    // a table always inserts rows: its one insert option is there for the selectors' script
    {"KVTableNewSymbol", {"retInfo"}},
    // an alert button watches every component on the stage; described documents may name the
    // ones it watches instead
    {"KVAlertButtonSymbol", {"alertComponents"}},
    // a combination chart's series weigh what "lineWeights" gives each line; its one weight is
    // what a line without an entry there falls back on and the highlights' weight, and its second
    // value axis is drawn for the documents that ask for it (the state markets sample)
    {"KVComboChartSymbol", {"lineWeight", "showSecondAxis"}},
    // the input's label above its field, empty unless a described document gives one (the what-if
    // planner sample names its plan so); its General page links the insert cell instead
    {"KVInputTextSymbol", {"labelValue"}},
};
// What a movie cannot do at all (the README says so).
const std::map<std::string, Keys> kCannot = {};
// The number format a chart falls back on where its axes and values have none of their own:
// described documents set it; the pages set those own formats.
const Keys kChartKept = {"formatValue"};
// Keys the publisher reads rather than the movie: where the imported file came from and whether
// it goes into the movie.
const Keys kPublisherReads = {"externalFile/embed", "externalFile/pathName"};

// Faults still open, named so that the contract holds everywhere else and one that is mended
// fails here until it leaves this list.
const std::map<std::string, Keys> kNotYet = {};

bool Listed(const std::map<std::string, Keys>& lists, const std::string& symbol, const std::string& key)
{
    const auto at = lists.find(symbol);
    return at != lists.end() && at->second.count(key) != 0;
}

bool WrittenByStyle(const Keys& style, const std::string& path)
{
    const std::string first = path.substr(0, path.find('/'));
    return style.count(first) != 0 || style.count(path.substr(path.rfind('/') + 1)) != 0;
}

TEST_F(ComponentKeysContractTest, WhatEveryPageEditsTheMovieReadsAndWhatTheDefaultsShipIsEdited)
{
    const Keys style = StyleKeys();
    const std::vector<std::string> symbols = ShippedSymbols();
    ASSERT_EQ(symbols.size(), 50u);
    for (const std::string& symbol : symbols) {
        SCOPED_TRACE(symbol);
        CParameterSet* root = Load(symbol, "");
        const pagekeys::PageKeys keys = pagekeys::KeysThePagesEdit(*root, context, parent, owner);
        const auto shipped = model::ReadDefaultParametersFile(pagetest::DefaultsFile(symbol).string());
        const Keys names = pagekeys::NamesTheMovieReads(symbol);
        const bool chart = symbol.find("Chart") != std::string::npos;
        for (const std::string& key : keys.found) {
            if (kPublisherReads.count(key) != 0 || Listed(kCannot, symbol, key))
                continue;
            const bool read = pagekeys::MovieReads(names, key);
            if (Listed(kNotYet, symbol, key))
                EXPECT_FALSE(read) << symbol << ": \"" << key << "\" works now; take it off the open faults";
            else
                EXPECT_TRUE(read) << symbol << ": a page edits \"" << key << "\", which the movie never reads";
        }
        for (const std::string& key : ShippedKeys(*shipped.parameters)) {
            const bool edited = keys.found.count(key) != 0 || keys.found.count(key.substr(0, key.find('/'))) != 0;
            if (Listed(kCannot, symbol, key))
                continue;
            if (Listed(kNotYet, symbol, key) && !pagekeys::MovieReads(names, key)) // checked above
                continue;
            if (Listed(kNotYet, symbol, key)) {
                EXPECT_FALSE(edited) << symbol << ": \"" << key << "\" is edited now; take it off the open faults";
                continue;
            }
            if (edited || WrittenByStyle(style, key) || Listed(kKept, symbol, key) || (chart && kChartKept.count(key) != 0))
                continue;
            ADD_FAILURE() << symbol << ": the default file ships \"" << key << "\", which no page edits";
        }
    }
}

} // namespace

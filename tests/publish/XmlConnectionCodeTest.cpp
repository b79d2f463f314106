#include "publish/XmlConnectionCode.h"
#include "publish/ExportRecord.h"
#include "publish/ExportSettings.h"
#include "sheet/cells/CellRef.h"
#include "swf/Actions.h"
#include "swf/SwfDoAction.h"
#include "tests/support/ActionText.h"

#include <gtest/gtest.h>

namespace {

using Script = std::vector<std::string>;

// One word group per action, as the shared action text writes them.
Script Render(const CActionList& actions)
{
    Script words;
    const std::string text = testsupport::ActionText(actions);
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find("; ", at), text.size());
        words.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return words;
}

Script Cat(std::initializer_list<Script> parts)
{
    Script all;
    for (const Script& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

// Stands for the model code the init code shares, so the order of the parts shows.
class MarkerModel : public publish::IModelScriptParts {
public:
    void WriteRangeArrays(CActionList& out) override { Mark(out, "ranges"); }
    void WriteInitialValues(CActionList& out) override { Mark(out, "values"); }
    void WriteDataTable(CActionList& out) override { Mark(out, "DAT"); }
    void WriteCalcFunctions(CActionList& out) override { Mark(out, "kvCalc"); }

private:
    static void Mark(CActionList& out, const char* what) { out.Add(std::make_unique<CActionPush>(what)); }
};

const Script kModelHead = {"push 'ranges'", "push 'values'"};
const Script kModelTail = {"push 'DAT'", "push 'kvCalc'"};

class ConnectionScript : public ::testing::Test {
protected:
    Script Build() { return Render(publish::BuildXmlConnectionCode(source, settings, model)->GetActions()); }

    publish::ConnectionScriptSource source;
    CExportSettings settings;
    MarkerModel model;
};

TEST_F(ConnectionScript, ServiceUrlFromACellIsReadAtRunTimeAndAStaticOneWithoutRefreshLoadsOnce)
{
    auto head = [](const std::string& kind, const std::string& url, int interval) {
        return Cat({{"push 'xmlUrl'", "push 0", "push 'Object'", "new", "setvar", "push 'xmlUrl'", "getvar",
                     "push '" + kind + "'", "push '" + url + "'", "setmember", "push 'xmlInterval'",
                     "push " + std::to_string(interval), "setvar"},
                    kModelHead, kModelTail});
    };
    source.webService = true;
    settings.url = "http://typed.test/";
    settings.SetUrlCell(CCellRef("Sheet1", 2, 2, 12));
    settings.refresh = true;
    settings.refreshSeconds = 45;
    EXPECT_EQ(Build(), head("dynamic", "V12", 45));

    CExportSettings fixed;
    fixed.url = "http://host.test/feed";
    fixed.refresh = false;
    fixed.refreshSeconds = 30;
    EXPECT_EQ(Render(publish::BuildXmlConnectionCode(source, fixed, model)->GetActions()),
              head("static", "http://host.test/feed", 0));
}

TEST_F(ConnectionScript, XmlMapsWithoutAnActiveRecordGiveEmptyTables)
{
    source.connectionInputs = true;
    source.namespaces = {{"b", "urn:b"}, {"a", "urn:a"}};
    EXPECT_EQ(Build(), Cat({kModelHead,
                            {"push 'kvXMLNS'", "push 0", "push 'Array'", "new",     "setvar",  //
                             "push 'kvXMLNS'", "getvar", "push 'a'",     "push 'urn:a'", "setmember", //
                             "push 'kvXMLNS'", "getvar", "push 'b'",     "push 'urn:b'", "setmember", //
                             "push 'kvXML'",   "push 0", "push 'Array'", "new",     "setvar"},
                            kModelTail}));
}

TEST_F(ConnectionScript, RecordWithTwoParametersDescribesEachRange)
{
    source.connectionInputs = true;
    source.maps.push_back({.name = "prices",
                           .refreshSeconds = 60,
                           .urlCellId = 4,
                           .url = "",
                           .parameters = {{"/q/price", 2}, {"/q/name", 0}}});
    const Script entry = {"push 'kvXML'", "getvar", "push 'prices'", "getmember"};
    auto element = [&](int i) { return Cat({entry, {"push 'arr'", "getmember", "push " + std::to_string(i), "getmember"}}); };
    auto parameter = [&](int i, const char* range, const char* xpath) {
        return Cat({{"push 0", "push 'Object'", "new", "push 1"},
                    entry,
                    {"push 'arr'", "getmember", "push 'push'", "callmethod", "pop"},
                    element(i),
                    {"push 'range'", "push '" + std::string(range) + "'", "getvar", "setmember"},
                    element(i),
                    {"push 'xpath'", "push '" + std::string(xpath) + "'", "setmember"}});
    };
    EXPECT_EQ(Build(), Cat({kModelHead,
                            {"push 'kvXMLNS'", "push 0", "push 'Array'", "new", "setvar", "push 'kvXML'", "push 0", "push 'Array'", "new",
                             "setvar", "push 'kvXML'", "getvar", "push 'prices'", "push 0", "push 'Object'", "new", "setmember"},
                            entry,
                            {"push 'refresh'", "push 60", "setmember"},
                            entry,
                            {"push 'dynamic'", "push 'V4'", "setmember"},
                            entry,
                            {"push 'arr'", "push 0", "push 'Array'", "new", "setmember"},
                            parameter(0, "A2", "/q/price"),
                            parameter(1, "A0", "/q/name"),
                            kModelTail}));
}

TEST(XmlMaps, OnlyActiveRecordsWithTheirUrlSourceAndParametersInOrder)
{
    std::map<std::string, CExportRecord> records;
    records["b"].urlText = "http://b.test/";
    records["b"].parameters = {{"/z", 3}, {"/a", 1}};
    records["b"].refreshSeconds = 9;
    records["a"].active = false;
    records["c"].cellBound = true;
    records["c"].urlCell = 7;
    records["c"].urlText = "ignored";
    std::vector<publish::XmlMapSource> maps = publish::ActiveXmlMaps(records);
    ASSERT_EQ(maps.size(), 2u);
    EXPECT_EQ(maps[0].name, "b");
    EXPECT_EQ(maps[0].url, "http://b.test/");
    EXPECT_FALSE(maps[0].urlCellId);
    EXPECT_EQ(maps[0].refreshSeconds, 9);
    EXPECT_EQ(maps[0].parameters, (std::vector<std::pair<std::string, int32_t>>{{"/a", 1}, {"/z", 3}}));
    EXPECT_EQ(maps[1].name, "c");
    EXPECT_EQ(maps[1].urlCellId, 7);
}

} // namespace

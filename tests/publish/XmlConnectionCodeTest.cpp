#include "publish/XmlConnectionCode.h"
#include "publish/ExportRecord.h"
#include "publish/ExportSettings.h"
#include "sheet/CellRef.h"
#include "swf/Actions.h"
#include "swf/SwfDoAction.h"

#include <gtest/gtest.h>

namespace {

using Script = std::vector<std::string>;

// One line per action: pushes as s:text or i:number, other actions by name.
Script Render(const CActionList& actions)
{
    Script lines;
    for (const auto& action : actions) {
        if (const auto* push = dynamic_cast<const CActionPush*>(action.get())) {
            const CPushValue& v = push->GetValues().at(0);
            lines.push_back(v.type == swf::PushType::Integer ? "i:" + std::to_string(v.integer)
                                                             : "s:" + v.text);
            continue;
        }
        switch (static_cast<swf::ActionCode>(action->GetCode())) {
        case swf::ActionCode::GetVariable:
            lines.push_back("get");
            break;
        case swf::ActionCode::SetVariable:
            lines.push_back("set");
            break;
        case swf::ActionCode::GetMember:
            lines.push_back("getm");
            break;
        case swf::ActionCode::SetMember:
            lines.push_back("setm");
            break;
        case swf::ActionCode::NewObject:
            lines.push_back("new");
            break;
        case swf::ActionCode::CallMethod:
            lines.push_back("callm");
            break;
        case swf::ActionCode::Pop:
            lines.push_back("pop");
            break;
        default:
            lines.push_back("?" + std::to_string(action->GetCode()));
        }
    }
    return lines;
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

const Script kModelHead = {"s:ranges", "s:values"};
const Script kModelTail = {"s:DAT", "s:kvCalc"};

class ConnectionScript : public ::testing::Test {
protected:
    Script Build() { return Render(publish::BuildXmlConnectionCode(source, settings, model)->GetActions()); }

    publish::ConnectionScriptSource source;
    CExportSettings settings;
    MarkerModel model;
};

TEST_F(ConnectionScript, ServiceUrlFromACellIsReadAtRunTime)
{
    source.webService = true;
    settings.url = "http://typed.test/";
    settings.SetUrlCell(CCellRef("Sheet1", 2, 2, 12));
    settings.refresh = true;
    settings.refreshSeconds = 45;
    EXPECT_EQ(Build(), Cat({{"s:xmlUrl", "i:0", "s:Object", "new", "set",     //
                             "s:xmlUrl", "get", "s:dynamic", "s:V12", "setm", //
                             "s:xmlInterval", "i:45", "set"},
                            kModelHead,
                            kModelTail}));
}

TEST_F(ConnectionScript, StaticUrlWithRefreshOffLoadsOnce)
{
    source.webService = true;
    settings.url = "http://host.test/feed";
    settings.refresh = false;
    settings.refreshSeconds = 30;
    EXPECT_EQ(Build(), Cat({{"s:xmlUrl", "i:0", "s:Object", "new", "set",                      //
                             "s:xmlUrl", "get", "s:static", "s:http://host.test/feed", "setm", //
                             "s:xmlInterval", "i:0", "set"},
                            kModelHead,
                            kModelTail}));
}

TEST_F(ConnectionScript, XmlMapsWithoutAnActiveRecordGiveEmptyTables)
{
    source.connectionInputs = true;
    source.namespaces = {{"b", "urn:b"}, {"a", "urn:a"}};
    EXPECT_EQ(Build(), Cat({kModelHead,
                            {"s:kvXMLNS", "i:0", "s:Array", "new",     "set",  //
                             "s:kvXMLNS", "get", "s:a",     "s:urn:a", "setm", //
                             "s:kvXMLNS", "get", "s:b",     "s:urn:b", "setm", //
                             "s:kvXML",   "i:0", "s:Array", "new",     "set"},
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
    const Script entry = {"s:kvXML", "get", "s:prices", "getm"};
    auto element = [&](int i) { return Cat({entry, {"s:arr", "getm", "i:" + std::to_string(i), "getm"}}); };
    auto parameter = [&](int i, const char* range, const char* xpath) {
        return Cat({{"i:0", "s:Object", "new", "i:1"},
                    entry,
                    {"s:arr", "getm", "s:push", "callm", "pop"},
                    element(i),
                    {"s:range", "s:" + std::string(range), "get", "setm"},
                    element(i),
                    {"s:xpath", "s:" + std::string(xpath), "setm"}});
    };
    EXPECT_EQ(Build(), Cat({kModelHead,
                            {"s:kvXMLNS", "i:0", "s:Array", "new", "set", "s:kvXML", "i:0", "s:Array", "new",
                             "set", "s:kvXML", "get", "s:prices", "i:0", "s:Object", "new", "setm"},
                            entry,
                            {"s:refresh", "i:60", "setm"},
                            entry,
                            {"s:dynamic", "s:V4", "setm"},
                            entry,
                            {"s:arr", "i:0", "s:Array", "new", "setm"},
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

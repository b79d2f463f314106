// Writes the movies of connection_movies.test.mjs: movies that take their data through the
// loader asset (from a web service or XML maps) and one that answers the designer's data query
// through the scenario asset. The assets come from the installation folder the build lays out.

#include "publish/CollabMovie.h"
#include "publish/ExportSettings.h"
#include "publish/LoadDataMovie.h"
#include "publish/ScenarioMovie.h"
#include "publish/XmlConnectionCode.h"
#include "swf/ActionEmitter.h"
#include "swf/Actions.h"
#include "swf/SwfDoAction.h"
#include "swf/SwfIds.h"
#include "swf/SwfMovie.h"
#include "swf/SwfOutputMovie.h"
#include "swf/SwfPlaceObject2.h"
#include "swf/SwfTags.h"
#include "tests/player/PlayerReport.h"
#include "tests/support/TestSupport.h"

#include <iostream>

namespace {

using swf::ActionCode;

using Script = swf::ActionEmitter;

// fscommand with the command text and the argument computed on the stack.
Script& FsCommandFromStack(Script& s)
{
    return s.Raw(static_cast<uint8_t>(ActionCode::GetUrl2), {0}); // method: none
}

// A range as the model writes it: a view {b, o, rows, cols} on a band, an array of rows of
// cell names. The band starts a row early, as when another range over the columns starts
// higher, so that the view's first band row counts.
Script& RangeArray(Script& s, const std::string& name, const std::vector<std::vector<std::string>>& rows)
{
    s.Str(name).Str("b");
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        for (auto cell = row->rbegin(); cell != row->rend(); ++cell)
            s.Str(*cell);
        s.Int(static_cast<int32_t>(row->size())).Op(ActionCode::InitArray);
    }
    s.Undefined().Int(static_cast<int32_t>(rows.size() + 1)).Op(ActionCode::InitArray);
    s.Str("o").Int(1).Str("rows").Int(static_cast<int32_t>(rows.size()));
    s.Str("cols").Int(static_cast<int32_t>(rows.front().size()));
    return s.Int(4).Op(ActionCode::InitObject).Op(ActionCode::SetVariable);
}

// The model of the loader movies: prices V1, V2 (range 0, one row, entry "prices"), names V4,
// V5 (range 1, one column, entry "names"), V6 (range 2) and V3 = V1 + V2. Every recalculation
// reports the command "V3=<value>" with the argument V4|V5|V6, so a test can wait for the value
// it expects.
class TestModel : public publish::IModelScriptParts {
public:
    void WriteRangeArrays(CActionList& out) override
    {
        Script s(out);
        RangeArray(s, "A0", {{"V1", "V2"}});
        RangeArray(s, "A1", {{"V4"}, {"V5"}});
        RangeArray(s, "A2", {{"V6"}});
    }
    void WriteInitialValues(CActionList& out) override
    {
        Script s(out);
        for (const char* cell : {"V1", "V2"})
            s.Str(cell).Int(0).Op(ActionCode::SetVariable);
    }
    void WriteDataTable(CActionList& out) override
    {
        Script s(out);
        s.Str("DAT").Int(0).Str("Array").Op(ActionCode::NewObject).Op(ActionCode::SetVariable);
        s.Get("DAT").Str("prices").Get("A0").Op(ActionCode::SetMember);
        s.Get("DAT").Str("names").Get("A1").Op(ActionCode::SetMember);
    }
    void WriteCalcFunctions(CActionList& out) override
    {
        auto calc = std::make_unique<CActionDefineFunction>("kvCalc");
        Script s(calc->GetBody());
        s.Str("V3").Get("V1").Get("V2").Op(ActionCode::Add2).Op(ActionCode::SetVariable);
        s.Str("FSCommand:V3=").Get("V3").Op(ActionCode::Add2);
        s.Get("V4").Str("|").Op(ActionCode::Add2).Get("V5").Op(ActionCode::Add2);
        s.Str("|").Op(ActionCode::Add2).Get("V6").Op(ActionCode::Add2);
        FsCommandFromStack(s);
        out.Add(std::move(calc));
    }
};

void WriteMovie(CSwfOutputMovie& movie, const std::filesystem::path& path, uint16_t frames)
{
    movie.SetFrameCount(frames);
    movie.WriteFile(path, 4000, 3000, 30, true);
}

// The manager clip of every published movie (assets/kvbase): placed as "mgr", it recalculates
// the model in the frame after data arrived.
struct Manager {
    std::unique_ptr<CSwfMovie> asset = std::make_unique<CSwfMovie>();
    uint16_t clipId = 0;

    Manager(const std::filesystem::path& installDir, swf::IdCounter& ids)
    {
        asset->LoadFile(installDir / "asset" / "kvbase.dat", {.remapIds = &ids, .keepTopLevel = true});
        ClipEntry& clip = asset->GetClipEntries().at(0);
        clipId = clip.GetId();
        clip.DeletePlacement();
        asset->MarkCharacterUsed(clipId);
    }
};

// The manager's clip, the connection script and the loader; then a second frame that places
// the manager, calculates and starts the manager as the movie's first script does, and stops.
void WriteLoaderMovie(const std::filesystem::path& path, const publish::ConnectionScriptSource& source,
                      const CExportSettings& settings, CLoadDataMovie& loader, Manager& manager)
{
    TestModel model;
    CSwfOutputMovie movie;
    movie.AddTag(manager.asset.get());
    movie.AddTag(publish::BuildXmlConnectionCode(source, settings, model));
    movie.AddTag(&loader);
    movie.AddTag(std::make_unique<CSwfPlaceObject2>(1, manager.clipId, CSwfMatrix(), "mgr"));
    auto start = std::make_unique<CSwfDoAction>();
    Script(start->GetActions())
        .Int(0)
        .Str("kvCalc")
        .Op(ActionCode::CallFunction)
        .Op(ActionCode::Pop)
        .Int(0)
        .Int(1)
        .Str("kvInitData")
        .Op(ActionCode::CallFunction)
        .Op(ActionCode::Pop)
        .Op(ActionCode::Stop);
    movie.AddTag(std::move(start));
    movie.AddTag(std::make_unique<CSwfShowFrame>());
    WriteMovie(movie, path, 2);
}

// Cells of every kind and a component that offers its values, then the two queries as the
// designer runs them (its call of a frame label is the movie's own call action here).
void WriteScenarioMovie(const std::filesystem::path& path, CScenarioMovie& scenario)
{
    auto frame = std::make_unique<CSwfDoAction>();
    Script s(frame->GetActions());
    s.Str("V1").Dbl(3.5).Op(ActionCode::SetVariable);
    s.Str("V2").Str("abc def").Op(ActionCode::SetVariable);
    s.Str("V3");
    s.Bool(true);
    s.Op(ActionCode::SetVariable);
    s.Str("V4");
    s.Undefined();
    s.Op(ActionCode::SetVariable);
    s.Int(1).Str("Chart_1").Int(2).Get("_root").Str("createEmptyMovieClip").Op(ActionCode::CallMethod);
    s.Op(ActionCode::Pop);

    auto values = CActionDefineFunction::CActionDefineFunctionEmpty();
    Script v(values->GetBody());
    v.Str("group").Str("General").Str("member").Str("min").Str("value").Int(5).Int(3).Op(
        ActionCode::InitObject);
    v.Str("parameter").Str("title").Str("value").Str("Sales by region").Int(2).Op(ActionCode::InitObject);
    v.Int(2).Op(ActionCode::InitArray).Op(ActionCode::Return);
    s.Get("Chart_1").Str("kvScenarioValues");
    frame->GetActions().Add(std::move(values));
    s.Op(ActionCode::SetMember);

    for (const char* label : {"GetData", "GetData2"})
        s.Str(label).Op(ActionCode::Call); // runs the frame's actions where the playhead stands
    playertest::Report(s.List(), "end", "");
    s.Op(ActionCode::Stop);

    CSwfOutputMovie movie;
    movie.AddTag(std::move(frame));
    movie.AddTag(&scenario);
    WriteMovie(movie, path, 3);
}

// The collaboration clip placed for real-time collaboration; its initialisation has made the
// connection "nc", which the first frame gives its gateway, as the movie's own first frame does.
void WriteCollabMovie(const std::filesystem::path& path, CCollabMovie& collab)
{
    swf::IdCounter depths{1};
    collab.PrepareBuild(depths);
    auto frame = std::make_unique<CSwfDoAction>();
    Script s(frame->GetActions());
    s.Get("this").Str("nc").Op(ActionCode::GetMember).Str("targetURI").Str("rtmp://gw.test/app");
    s.Op(ActionCode::SetMember);
    s.Str("FSCommand:collab").Get("nc").Str("myConnect").Op(ActionCode::GetMember).Op(ActionCode::TypeOf);
    s.Str(" ").Op(ActionCode::Add2).Get("nc").Str("targetURI").Op(ActionCode::GetMember).Op(ActionCode::Add2);
    s.Str(" ").Op(ActionCode::Add2).Get("collab").Op(ActionCode::TypeOf).Op(ActionCode::Add2);
    FsCommandFromStack(s);
    s.Op(ActionCode::Stop);

    CSwfOutputMovie movie;
    movie.AddTag(&collab);
    movie.AddTag(std::move(frame));
    movie.AddTag(std::make_unique<CSwfShowFrame>());
    WriteMovie(movie, path, 1);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_connection_movies <folder>\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    swf::IdCounter ids{1};
    CLoadDataMovie loader(testsupport::InstallDir(), ids);
    CScenarioMovie scenario(testsupport::InstallDir(), ids);
    if (loader.IsEmpty() || scenario.IsEmpty()) {
        std::cerr << "the loader or scenario asset is missing in " << testsupport::InstallDir() << "\n";
        return 1;
    }

    Manager manager(testsupport::InstallDir(), ids);
    CExportSettings settings;
    publish::ConnectionScriptSource service;
    service.webService = true;
    settings.url = "movies/prices.xml"; // relative to the page, as a browser resolves it
    WriteLoaderMovie(folder / "service_xml.swf", service, settings, loader, manager);

    // The URL comes from cell 9 (given by the page), reloaded every second.
    settings.SetUrlCell(CCellRef("Sheet1", 1, 9, 9));
    settings.refresh = true;
    settings.refreshSeconds = 1;
    WriteLoaderMovie(folder / "service_pairs.swf", service, settings, loader, manager);

    CExportSettings none;
    publish::ConnectionScriptSource maps;
    maps.connectionInputs = true;
    maps.namespaces = {{"q", "urn:quotes"}};
    maps.maps.push_back({.name = "quotes",
                         .refreshSeconds = 0,
                         .urlCellId = std::nullopt,
                         .url = "movies/quotes.xml",
                         .parameters = {{"/q:book/q:quote/@price", 0},
                                        {"//q:quote/name", 1},
                                        {"/q:book/q:quote[2]/name/text()", 2}}});
    WriteLoaderMovie(folder / "xml_maps.swf", maps, none, loader, manager);

    WriteScenarioMovie(folder / "scenario_query.swf", scenario);

    CExportSettings realTime;
    realTime.realTimeCollaboration = true;
    CCollabMovie collab(testsupport::InstallDir(), ids, realTime);
    WriteCollabMovie(folder / "collab.swf", collab);
    return 0;
}

// Writes the movies of connection_movies.test.mjs: movies that take their data through the
// loader asset (from a web service or XML maps) and one that answers the designer's data query
// through the scenario asset. The assets come from the installation folder the build lays out.

#include "publish/CollabMovie.h"
#include "publish/ExportSettings.h"
#include "publish/LoadDataMovie.h"
#include "publish/ScenarioMovie.h"
#include "publish/XmlConnectionCode.h"
#include "swf/Actions.h"
#include "swf/SwfDoAction.h"
#include "swf/SwfIds.h"
#include "swf/SwfOutputMovie.h"
#include "swf/SwfTags.h"
#include "tests/support/TestSupport.h"

#include <iostream>

namespace {

using swf::ActionCode;

// Hand-written actions of the test movies, one value per Push.
class Script {
public:
    explicit Script(CActionList& out) : out_(out) {}
    Script& Str(const std::string& text)
    {
        out_.Add(std::make_unique<CActionPush>(text));
        return *this;
    }
    Script& Int(int32_t value)
    {
        out_.Add(CActionPush::CActionPushInt(value));
        return *this;
    }
    Script& Dbl(double value)
    {
        out_.Add(CActionPush::CActionPushDouble(value));
        return *this;
    }
    Script& Op(ActionCode code)
    {
        out_.Add(std::make_unique<CActionCode>(code));
        return *this;
    }
    Script& Raw(uint8_t code, std::vector<uint8_t> payload = {})
    {
        out_.Add(std::make_unique<CActionRaw>(code, std::move(payload)));
        return *this;
    }
    Script& Get(const std::string& name) { return Str(name).Op(ActionCode::GetVariable); }
    // fscommand(<command text on the stack>, <argument on the stack>)
    Script& FsCommandFromStack() { return Raw(0x9A, {0}); }
    Script& FsCommand(const std::string& command, const std::string& argument)
    {
        return Str("FSCommand:" + command).Str(argument).FsCommandFromStack();
    }
    // An array of rows of cell names.
    Script& RangeArray(const std::string& name, const std::vector<std::vector<std::string>>& rows)
    {
        Str(name);
        for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
            for (auto cell = row->rbegin(); cell != row->rend(); ++cell)
                Str(*cell);
            Int(static_cast<int32_t>(row->size())).Op(ActionCode::InitArray);
        }
        return Int(static_cast<int32_t>(rows.size())).Op(ActionCode::InitArray).Op(ActionCode::SetVariable);
    }

private:
    CActionList& out_;
};

// The model of the loader movies: prices V1, V2 (range 0, one row, entry "prices"), names V4,
// V5 (range 1, one column, entry "names"), and V3 = V1 + V2. Every recalculation reports
// "calc<n>" with V3|V4|V5.
class TestModel : public publish::IModelScriptParts {
public:
    void WriteRangeArrays(CActionList& out) override
    {
        Script(out).RangeArray("A0", {{"V1", "V2"}}).RangeArray("A1", {{"V4"}, {"V5"}});
    }
    void WriteInitialValues(CActionList& out) override
    {
        Script s(out);
        for (const char* cell : {"V1", "V2"})
            s.Str(cell).Int(0).Op(ActionCode::SetVariable);
        s.Str("kvCalls").Int(0).Op(ActionCode::SetVariable);
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
        s.Str("kvCalls").Get("kvCalls").Int(1).Op(ActionCode::Add2).Op(ActionCode::SetVariable);
        s.Str("V3").Get("V1").Get("V2").Op(ActionCode::Add2).Op(ActionCode::SetVariable);
        s.Str("FSCommand:calc").Get("kvCalls").Op(ActionCode::Add2);
        s.Get("V3").Str("|").Op(ActionCode::Add2).Get("V4").Op(ActionCode::Add2);
        s.Str("|").Op(ActionCode::Add2).Get("V5").Op(ActionCode::Add2);
        s.FsCommandFromStack();
        out.Add(std::move(calc));
    }
};

void WriteMovie(CSwfOutputMovie& movie, const std::filesystem::path& path, uint16_t frames)
{
    movie.SetFrameCount(frames);
    movie.WriteFile(path, 4000, 3000, 30, true);
}

// Connection script, loader, then a second frame that stops.
void WriteLoaderMovie(const std::filesystem::path& path, const publish::ConnectionScriptSource& source,
                      const CExportSettings& settings, CLoadDataMovie& loader)
{
    TestModel model;
    CSwfOutputMovie movie;
    movie.AddTag(publish::BuildXmlConnectionCode(source, settings, model));
    movie.AddTag(&loader);
    auto stop = std::make_unique<CSwfDoAction>();
    Script(stop->GetActions()).Op(ActionCode::Stop);
    movie.AddTag(std::move(stop));
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
    s.Raw(0x96, {5, 1}); // true
    s.Op(ActionCode::SetVariable);
    s.Str("V4");
    s.Raw(0x96, {3}); // undefined
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
        s.Str(label).Raw(0x9E);
    s.FsCommand("end", "");
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
    s.Str("FSCommand:collab").Get("nc").Str("myConnect").Op(ActionCode::GetMember).Raw(0x44);
    s.Str(" ").Op(ActionCode::Add2).Get("nc").Str("targetURI").Op(ActionCode::GetMember).Op(ActionCode::Add2);
    s.Str(" ").Op(ActionCode::Add2).Get("collab").Raw(0x44).Op(ActionCode::Add2);
    s.FsCommandFromStack();
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

    CExportSettings settings;
    publish::ConnectionScriptSource service;
    service.webService = true;
    settings.url = "movies/prices.xml"; // relative to the page, as a browser resolves it
    WriteLoaderMovie(folder / "service_xml.swf", service, settings, loader);

    // The URL comes from cell 9 (given by the page), reloaded every second.
    settings.SetUrlCell(CCellRef("Sheet1", 1, 9, 9));
    settings.refresh = true;
    settings.refreshSeconds = 1;
    WriteLoaderMovie(folder / "service_pairs.swf", service, settings, loader);

    CExportSettings none;
    publish::ConnectionScriptSource maps;
    maps.connectionInputs = true;
    maps.namespaces = {{"q", "urn:quotes"}};
    maps.maps.push_back({.name = "quotes",
                         .refreshSeconds = 0,
                         .urlCellId = std::nullopt,
                         .url = "movies/quotes.xml",
                         .parameters = {{"/q:book/q:quote/@price", 0}, {"//q:quote/name", 1}}});
    WriteLoaderMovie(folder / "xml_maps.swf", maps, none, loader);

    WriteScenarioMovie(folder / "scenario_query.swf", scenario);

    CExportSettings realTime;
    realTime.realTimeCollaboration = true;
    CCollabMovie collab(testsupport::InstallDir(), ids, realTime);
    WriteCollabMovie(folder / "collab.swf", collab);
    return 0;
}

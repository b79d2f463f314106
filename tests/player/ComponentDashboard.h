#pragma once

// Dashboards of the installed component movies for the player checks: components taken from
// the catalogue with their default parameters, bound to cells of a small model and written as a
// published movie is assembled, with a probe clip (compiled ActionScript) placed last that
// reports through fscommand what the components show.

#include "model/CellBinding.h"
#include "model/Component.h"
#include "model/ComponentCatalog.h"
#include "model/ParameterSet.h"
#include "publish/BaseMovie.h"
#include "publish/CollabMovie.h"
#include "publish/ExportSettings.h"
#include "publish/CompileModel.h"
#include "publish/DocData.h"
#include "publish/ComponentScripts.h"
#include "publish/FunctionLibrary.h"
#include "publish/ModelLink.h"
#include "publish/ModelScriptBuilder.h"
#include "publish/ProgramContext.h"
#include "swf/ActionEmitter.h"
#include "swf/SwfDoAction.h"
#include "swf/SwfOutputMovie.h"
#include "swf/SwfPlaceObject2.h"
#include "swf/SwfTags.h"
#include "tests/player/InitClip.h"
#include "tests/player/OutputFolder.h"
#include "tests/publish/PublishTestSupport.h"
#include "tests/support/TestSupport.h"
#include "tools/actionscript/Compiler.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace dashboardtest {

// The probe's source with each placeholder (CELL, CELL1, ...) named in cells replaced.
inline void AddProbeClip(CSwfOutputMovie& movie, uint16_t id, std::string source,
                  const std::vector<std::pair<std::string, std::string>>& cells)
{
    for (const auto& [placeholder, variable] : cells)
        for (std::size_t at; (at = source.find(placeholder + " ")) != std::string::npos;)
            source.replace(at, placeholder.size(), variable);
    actionscript::CompileResult result = actionscript::CompileSource(source, "probe.as");
    if (!result.ok())
        throw std::runtime_error(result.error->ToString());
    playertest::AddInitClip(movie, id, "KVProbeSymbol", result.actions);
}

inline CParameter& Find(CComponent& component, const std::string& group, const std::string& name)
{
    CParameter* g = component.GetParameters()->FindParameter(group);
    CParameter* p = g && g->GetSet() ? g->GetSet()->FindParameter(name) : nullptr;
    if (!p)
        throw std::runtime_error(component.GetName() + " has no " + group + "." + name);
    return *p;
}

struct Stage {
    int width, height; // twips
    uint8_t red, green, blue;
};

// Compiles the model, generates the scripts and writes the movie, as a published movie is
// assembled, with the probe clip placed last.
inline void WriteMovie(const std::filesystem::path& file, CBaseMovie& base, const std::vector<CComponent*>& components,
                CComponentCatalog& catalog, CFunctionLibrary& library, swf::IdCounter& ids, swf::IdCounter& depths,
                const char* probe, const std::vector<std::pair<std::string, std::string>>& cells, const Stage& stage,
                bool collaboration = false)
{
    base.SetModelChanged();
    CompileModel(base, components);
    CModelScriptBuilder(base).BuildConnectCode(false);
    CModelScriptBuilder(base).BuildModelCode(components, false);
    CActionList& frame = base.GetFrameScript()->GetActions();
    swf::ActionEmitter(frame).Int(0).Int(1).Str("kvInitData").Op(swf::ActionCode::CallFunction).Op(swf::ActionCode::Pop);
    for (CComponent* component : components)
        component->BuildActionScript(frame);
    for (CComponent* component : components)
        component->EmitModelInitCall(frame);
    swf::ActionEmitter(frame).Op(swf::ActionCode::Stop);

    for (CComponent* component : components)
        component->MarkUsed();
    CSwfOutputMovie movie;
    movie.AddTag(std::make_unique<CSwfSetBackgroundColor>(stage.red, stage.green, stage.blue));
    movie.AddTag(&catalog);
    movie.AddTag(&library);
    for (CComponent* component : components)
        component->PlaceInMovie(movie, depths);
    const uint16_t probeId = ids.Next();
    AddProbeClip(movie, probeId, probe, cells);
    movie.AddTag(std::make_unique<CSwfPlaceObject2>(depths.Next(), probeId, CSwfMatrix(), "probe"));
    // The collaboration clip, as a movie with real-time collaboration carries it.
    if (collaboration) {
        base.GetCollabMovie().PrepareBuild(depths);
        movie.AddTag(&base.GetCollabMovie());
    }
    movie.AddTag(&base);
    movie.AddTag(std::make_unique<CSwfShowFrame>());
    movie.WriteFile(file, stage.width, stage.height, 30.0, true);
    for (CComponent* component : components)
        component->ReleaseUse();
}

// What the dashboards are built from: the installation folder, its component catalogue (read at
// once; a catalogue that cannot be read throws) and its function library.
struct Installation {
    std::filesystem::path folder;
    CComponentCatalog catalog;
    CFunctionLibrary library;

    explicit Installation(std::filesystem::path installFolder)
        : folder(std::move(installFolder)), library((folder / "asset" / "func.dat").string())
    {
        std::string error;
        if (!catalog.Load(folder, &error))
            throw std::runtime_error(error);
    }
};

// A model on the installed base movie, with the services a published movie's build installs,
// and the components placed on it.
struct Dashboard {
    publishtest::LinkedModelFixture model;
    CComponentCatalog& catalog;
    CFunctionLibrary& library;
    std::vector<std::unique_ptr<CComponent>> owned;

    Dashboard(CComponentCatalog& c, CFunctionLibrary& l, const std::filesystem::path& install)
        : catalog(c), library(l)
    {
        model.context.UseFunctionLibrary(&library);
        model.context.SetComponentScripts(&GetComponentScriptGenerator());
        model.movie.reset();
        model.movie = model.Lent(CBaseMovie::Create(install, model.ids, model.depths));
    }

    explicit Dashboard(Installation& installed) : Dashboard(installed.catalog, installed.library, installed.folder) {}

    // An instance of the catalogue's symbol at left, top (twips) with the given size.
    CComponent& Add(const char* symbol, double left, double top, double width, double height)
    {
        CSwfComponent* prototype = catalog.FindByTypeName(symbol);
        if (!prototype)
            throw std::runtime_error(std::string("the catalogue lacks ") + symbol);
        std::unique_ptr<CComponent> c = prototype->CreateInstance();
        c->SetName(std::string(symbol) + "_" + std::to_string(CountOf(symbol) + 1));
        c->SetRect({static_cast<std::int32_t>(left), static_cast<std::int32_t>(top),
                    static_cast<std::int32_t>(left + width), static_cast<std::int32_t>(top + height)});
        owned.push_back(std::move(c));
        return *owned.back();
    }
    int CountOf(const char* symbol) const
    {
        int n = 0;
        for (const auto& c : owned)
            n += c->GetTypeName() == symbol;
        return n;
    }
    void Bind(CComponent& c, const std::string& group, const std::string& name, const char* from, const char* to)
    {
        Find(c, group, name).RefreshFromCells(model.Range(from, to), false);
    }
    std::string Cell(const char* a1) { return "V" + std::to_string(model.Id(a1)); }

    void Write(const std::filesystem::path& file, const std::string& probe,
               const std::vector<std::pair<std::string, std::string>>& cells, bool collaboration = false)
    {
        Write(file, probe.c_str(), cells, collaboration);
    }
    void Write(const std::filesystem::path& file, const char* probe,
               const std::vector<std::pair<std::string, std::string>>& cells, bool collaboration = false)
    {
        std::vector<CComponent*> components;
        for (const auto& c : owned)
            components.push_back(c.get());
        WriteMovie(file, *model.movie, components, catalog, library, model.ids, model.depths, probe, cells,
                   {8000, 6000, 255, 255, 255}, collaboration);
    }
};

// A document as the program opens it, written as a movie with the probe placed last; TOTAL in
// the probe is replaced by the number of its components.
inline void WriteDocumentMovie(const std::filesystem::path& document, const std::filesystem::path& file,
                               CFunctionLibrary& library, const std::filesystem::path& install, const char* probe)
{
    auto loaded = std::make_unique<CComponentCatalog>();
    std::string error;
    if (!loaded->Load(install, &error))
        throw std::runtime_error(error);
    CProgramContext context(install);
    CComponentCatalog& shipped = *loaded;
    context.SetCatalog(std::move(loaded));
    context.UseFunctionLibrary(&library);
    context.SetComponentScripts(&GetComponentScriptGenerator());
    CProgramContext::Scope use(context);
    swf::IdCounter ids{100};
    swf::IdCounter depths{1};
    std::unique_ptr<CBaseMovie> base = CBaseMovie::Create(install, ids, depths);
    context.UseBaseMovie(base.get());
    CDocData doc;
    std::string version = kDocumentVersion;
    if (!doc.Load(document.string(), version))
        throw std::runtime_error(document.string() + ": " + doc.GetLoadError());
    std::vector<std::unique_ptr<CComponent>> owned = doc.TakeComponents();
    std::vector<CComponent*> components;
    for (const auto& c : owned)
        components.push_back(c.get());
    std::int32_t width = 0, height = 0;
    doc.GetStageSize(width, height);
    const auto& paper = doc.GetPaperColor();
    WriteMovie(file, *base, components, shipped, library, ids, depths, probe,
               {{"TOTAL", std::to_string(components.size())}}, {width * 20, height * 20, paper[0], paper[1], paper[2]});
}

// A probe clip whose script runs once, on its third frame, when the components have drawn.
inline std::string ThirdFrameProbe(const std::string& body)
{
    return "_global.KVProbe = function () { this.kvFrames = 0; };\n"
           "KVProbe.prototype = new MovieClip();\n"
           "KVProbe.prototype.onEnterFrame = function () {\n"
           "    if (++this.kvFrames != 3)\n"
           "        return;\n" +
           body + "};\nObject.registerClass(\"KVProbeSymbol\", KVProbe);\n";
}

// The main of a movie maker: writes its movies into the folder its command line names, over the
// shipped installation; 2 on a bad command line, 1 with the reason when writing fails.
template <class WriteAll>
int WriteMovies(int argc, char** argv, WriteAll writeAll)
{
    std::filesystem::path folder;
    if (!playertest::OutputFolder(argc, argv, folder))
        return 2;
    try {
        Installation installed(testsupport::InstallDir());
        writeAll(installed, folder);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}

} // namespace dashboardtest

// Writes components.swf: a dashboard of the installed component movies, taken from the
// catalogue with their default parameters and bound to cells of a small model, assembled the way
// a published movie is. A probe clip reports through fscommand what the components show, and the
// test moves the slider with the player's mouse.
//
// Model: A1 = 40 (the slider), B1 = A1*2.5 (a value display), C1 = IF(B1>150,"High","Low")
// (that display's title), and a second display bound to A1 itself.

#include "model/CellBinding.h"
#include "model/Component.h"
#include "model/ComponentCatalog.h"
#include "model/ParameterSet.h"
#include "publish/BaseMovie.h"
#include "publish/CompileModel.h"
#include "publish/ComponentScripts.h"
#include "publish/FunctionLibrary.h"
#include "swf/ActionEmitter.h"
#include "swf/SwfDoAction.h"
#include "swf/SwfOutputMovie.h"
#include "swf/SwfPlaceObject2.h"
#include "swf/SwfRawTag.h"
#include "swf/SwfSprite.h"
#include "swf/SwfTags.h"
#include "tests/publish/PublishTestSupport.h"
#include "tests/support/TestSupport.h"
#include "tools/actionscript/ActionCheck.h"
#include "tools/actionscript/Compiler.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>

namespace {

// Reports, whenever it changes, what each component shows: the slider's value, thumb position on
// the stage and value text; each display's title and value text. "params" shows parameters of
// each kind as the slider received them; "ready" carries the slider's track on the stage once the
// first frame has drawn everything.
const char* kProbe = R"(
_global.KVProbe = function () { this.kvFrames = 0; };
KVProbe.prototype = new MovieClip();
KVProbe.prototype.onEnterFrame = function () {
    var s = _root.KVSliderHSymbol_1, d = _root.KVValueDisplaySymbol_1, e = _root.KVValueDisplaySymbol_2;
    if (++this.kvFrames == 2) {
        fscommand("params", s.orientation + "|" + s.titleTextFormat.size + "|" + s.titleTextFormat.bold + "|"
                  + s.snapEnabled + "|" + s.borderColor + "|" + s.incSize);
        fscommand("ready", (s._x + s.kvTrackX) + "," + (s._x + s.kvTrackX + s.kvTrackW) + "," + (s._y + s.kvTrackY)
                  + "," + (s._x + s.kvThumb._x));
    }
    var state = _root.CELL + "|" + s.mv + "|" + s.kvFields.kvValue + "|" + d.kvFields.kvTitle + "|"
                + d.kvFields.kvValue + "|" + e.kvFields.kvTitle + "|" + e.kvFields.kvValue + "|" + d.kvW + "x" + d.kvH;
    if (state != this.kvState) {
        this.kvState = state;
        fscommand("state", state);
    }
};
Object.registerClass("KVProbeSymbol", KVProbe);
)";

void AddProbeClip(CSwfOutputMovie& movie, uint16_t id, const std::string& cell)
{
    std::string source = kProbe;
    source.replace(source.find("CELL"), 4, cell);
    actionscript::CompileResult result = actionscript::CompileSource(source, "probe.as");
    if (!result.ok())
        throw std::runtime_error(result.error->ToString());
    auto sprite = std::make_unique<CSwfSprite>(id, 1, false);
    sprite->AddTag(std::make_unique<CSwfShowFrame>());
    movie.AddTag(std::move(sprite));
    auto exported = std::make_unique<CSwfExportedSymbol>(id);
    exported->SetName("KVProbeSymbol");
    movie.AddTag(std::move(exported));
    std::vector<uint8_t> body = {static_cast<uint8_t>(id & 0xFF), static_cast<uint8_t>(id >> 8)};
    body.insert(body.end(), result.actions.begin(), result.actions.end());
    body.push_back(0);
    movie.AddTag(
        std::make_unique<CSwfRawTag>(static_cast<uint16_t>(swf::TagCode::DoInitAction), std::move(body)));
}

CParameter& Find(CComponent& component, const std::string& group, const std::string& name)
{
    CParameter* g = component.GetParameters()->FindParameter(group);
    CParameter* p = g && g->GetSet() ? g->GetSet()->FindParameter(name) : nullptr;
    if (!p)
        throw std::runtime_error(component.GetName() + " has no " + group + "." + name);
    return *p;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    const std::filesystem::path install = testsupport::InstallDir();

    try {
        CComponentCatalog catalog;
        std::string error;
        if (!catalog.Load(install, &error))
            throw std::runtime_error(error);
        CFunctionLibrary library((install / "asset" / "func.dat").string());
        publishtest::LinkedModelFixture model;
        ScopedProcessServices services{ProcessServices{.functionLibrary = &library,
                                                       .modelLink = &model.link,
                                                       .componentScripts = &GetComponentScriptGenerator()}};
        model.movie.reset();
        model.movie = CBaseMovie::Create(install, model.ids, model.depths);
        CBaseMovie& base = *model.movie;

        model.Number("A1", 40);
        model.Formula("B1", "A1*2.5");
        model.Formula("C1", "IF(B1>150,\"High\",\"Low\")");

        auto make = [&](const char* symbol, const char* name, double left, double top, double width,
                        double height) {
            CSwfComponent* prototype = catalog.FindByTypeName(symbol);
            if (!prototype)
                throw std::runtime_error(std::string("the catalogue lacks ") + symbol);
            std::unique_ptr<CComponent> c = prototype->CreateInstance();
            c->SetName(name);
            c->SetBounds(left, top, left + width, top + height);
            return c;
        };
        // Twips; the stage is 400 x 300 pixels. The slider is drawn at twice its natural width.
        auto slider = make("KVSliderHSymbol", "KVSliderHSymbol_1", 400, 400, 8000 - 800, 1000);
        auto display = make("KVValueDisplaySymbol", "KVValueDisplaySymbol_1", 400, 2000, 3000, 1000);
        auto echo = make("KVValueDisplaySymbol", "KVValueDisplaySymbol_2", 4000, 2000, 3000, 1000);
        Find(*slider, "General", "mv").RefreshFromCells(model.Range("A1", "A1"), false);
        Find(*display, "General", "mv").RefreshFromCells(model.Range("B1", "B1"), false);
        Find(*display, "General", "title").RefreshFromCells(model.Range("C1", "C1"), false);
        Find(*echo, "General", "mv").RefreshFromCells(model.Range("A1", "A1"), false);
        Find(*echo, "Appearance", "formatValue").SetString("0.0");
        std::vector<CComponent*> components = {slider.get(), display.get(), echo.get()};

        base.SetModelChanged();
        CompileModel(base, components);
        base.BuildConnectCode(false);
        base.BuildModelCode(components, false);
        CActionList& frame = base.GetFrameScript()->GetActions();
        swf::ActionEmitter(frame)
            .Int(0)
            .Int(1)
            .Str("kvInitData")
            .Op(swf::ActionCode::CallFunction)
            .Op(swf::ActionCode::Pop);
        for (CComponent* component : components)
            component->BuildActionScript(frame);
        for (CComponent* component : components)
            component->EmitModelInitCall(frame);
        swf::ActionEmitter(frame).Op(swf::ActionCode::Stop);

        for (CComponent* component : components)
            component->MarkUsed();
        CSwfOutputMovie movie;
        movie.AddTag(std::make_unique<CSwfSetBackgroundColor>(255, 255, 255));
        movie.AddTag(&catalog);
        movie.AddTag(&library);
        for (CComponent* component : components)
            component->PlaceInMovie(movie, model.depths);
        const uint16_t probeId = model.ids.Next();
        AddProbeClip(movie, probeId, "V" + std::to_string(model.Id("A1")));
        movie.AddTag(std::make_unique<CSwfPlaceObject2>(model.depths.Next(), probeId, CSwfMatrix(), "probe"));
        movie.AddTag(&base);
        movie.AddTag(std::make_unique<CSwfShowFrame>());
        movie.WriteFile(folder / "components.swf", 8000, 6000, 30.0, true);
        for (CComponent* component : components)
            component->ReleaseUse();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "components: %s\n", e.what());
        return 1;
    }
    return 0;
}

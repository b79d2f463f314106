// Writes the stage movie the way the canvas makes it (the stage control over the installed
// catalogue) and records, on the recording player, every call the control makes for a session:
// start-up (every symbol of the catalogue measured), the canvas size set, five components added, a chart
// updated with new data, a move, a resize of a gauge and of a table, a swap of depths, a
// component disabled and enabled again, and one deleted. app_stage.test.mjs plays the movie in
// the program's player page and replays the calls through the bridge.
//
// Output: stage.swf (the stage movie file), calls.json:
//   {"symbols": {symbol: [xmin, xmax, ymin, ymax] pixels, ...},
//    "steps": [{"step": name, "calls": [["load"|"set"|"call", a, b], ...],
//               "components": {name: [left, top, right, bottom] pixels, ...}}, ...]}

#include "app/stage/StageFlashCtrl.h"
#include "model/CellBinding.h"
#include "model/ComponentCatalog.h"
#include "model/ComponentDef.h"
#include "model/ParameterSet.h"
#include "platform/window/Wnd.h"
#include "publish/TempFiles.h"
#include "tests/player/JsonText.h"
#include "tests/player/OutputFolder.h"
#include "tests/support/FlashPlayerFake.h"
#include "tests/support/TestSupport.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace {

class CanvasObject : public IStageObject {
public:
    std::unique_ptr<CComponent> instance;
    int GetInstanceCount() const override { return 1; }
    CComponent* GetInstance(int) const override { return instance.get(); }
    void SetStagePosition(const ComponentRect&) override {}
    void SetNaturalSize(int, int) override {}
    void UpdateBounds() override {}
};

class NoHost : public IStageHost {
public:
    void BeginBusy() override {}
    void EndBusy() override {}
    void RepaintCanvas() override {}
};

CParameter& Find(CComponent& c, const char* group, const char* name)
{
    CParameter* g = c.GetParameters()->FindParameter(group);
    CParameter* p = g != nullptr ? g->GetSet()->FindParameter(name) : nullptr;
    if (p == nullptr)
        throw std::runtime_error(std::string("no parameter ") + group + "." + name);
    return p->GetType() == model::ParamType::CellBinding ? p->GetBinding()->GetValue() : *p;
}

std::string Pixels(const ComponentRect& r)
{
    char text[96];
    std::snprintf(text, sizeof text, "[%g, %g, %g, %g]", r.left / 20.0, r.top / 20.0, r.right / 20.0,
                  r.bottom / 20.0);
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    std::filesystem::path folder;
    if (!playertest::OutputFolder(argc, argv, folder))
        return 2;
    try {
        CComponentCatalog catalog;
        std::string error;
        if (!catalog.Load(testsupport::InstallDir(), &error))
            throw std::runtime_error(error);
        SetFlashPlayerFactory([] { return std::make_unique<CFakeFlashPlayer>(); });
        publish::CDefaultTempFiles files;
        NoHost host;
        StageSetup setup;
        setup.installDir = testsupport::InstallDir();
        setup.catalog = &catalog;
        setup.tempFiles = &files;
        setup.host = &host;
        setup.namedValues = [] {
            return std::map<std::string, std::string>{{"KVDecimalSeparator", "."}, {"KVThousandSeparator", ","}};
        };
        CWnd parent;
        if (!parent.CreateEx(0, "Parent", "canvas", WS_POPUP | WS_VISIBLE, CRect(0, 0, 800, 600), nullptr, 0))
            throw std::runtime_error("no parent window");
        CStageFlashCtrl stage(setup);
        if (!stage.IsReady())
            throw std::runtime_error(stage.GetError());
        if (!stage.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 30, 20), &parent, 158))
            throw std::runtime_error("no stage window");
        auto& player = *dynamic_cast<CFakeFlashPlayer*>(stage.GetPlayer());
        const std::filesystem::path movie = folder / "stage.swf";

        std::string steps;
        std::vector<std::unique_ptr<CanvasObject>> objects;
        const auto step = [&](const char* name) {
            std::string calls;
            for (const auto& call : player.Calls()) {
                std::string op = call.op == "LoadMovie" ? "load" : call.op == "SetVariable" ? "set" : "call";
                std::string a = call.args[0], b = call.args[1];
                if (op == "load" && b != "loadblank")
                    b = movie.string();
                if (call.op != "LoadMovie" && call.op != "SetVariable" && call.op != "TCallLabel")
                    continue;
                calls += std::string(calls.empty() ? "" : ",\n    ") + "[" + playertest::JsonText(op) + ", " +
                         playertest::JsonText(a) + ", " + playertest::JsonText(b) + "]";
            }
            std::string placed;
            for (const auto& o : objects)
                placed += std::string(placed.empty() ? "" : ", ") + playertest::JsonText(o->instance->GetName()) +
                          ": " + Pixels(o->instance->GetRect());
            steps += std::string(steps.empty() ? "" : ",\n") + "  {\"step\": " + playertest::JsonText(name) +
                     ", \"components\": {" + placed + "},\n   \"calls\": [" + calls + "]}";
            player.ClearCalls();
        };
        const auto add = [&](const char* symbol, ComponentRect rect) -> CanvasObject& {
            auto object = std::make_unique<CanvasObject>();
            object->instance = catalog.FindByTypeName(symbol)->CreateInstance();
            object->instance->SetName(std::string(symbol).substr(2, 5) + "_" + std::to_string(objects.size() + 1));
            object->instance->SetRect(rect);
            objects.push_back(std::move(object));
            return *objects.back();
        };

        std::string symbols;
        for (int i = 0; i < catalog.GetTotalCount(); ++i) {
            const CComponentDef* d = catalog.GetDefinition(i);
            const auto& b = d->GetBounds();
            char box[96];
            std::snprintf(box, sizeof box, "[%g, %g, %g, %g]", b[0] / 20, b[1] / 20, b[2] / 20, b[3] / 20);
            symbols += std::string(symbols.empty() ? "" : ",\n  ") + playertest::JsonText(d->GetName()) + ": " + box;
        }

        stage.Init();
        step("init");
        stage.SetStageSize(640, 480);
        step("size");
        CanvasObject& gauge = add("KVGaugeSymbol", {400, 400, 3600, 4000});
        CanvasObject& chart = add("KVColumnChartSymbol", {4400, 400, 10400, 4400});
        CanvasObject& slider = add("KVSliderHSymbol", {400, 4800, 6400, 5800});
        CanvasObject& display = add("KVValueDisplaySymbol", {6800, 4800, 9800, 5800});
        CanvasObject& table = add("KVTableNewSymbol", {400, 6400, 6400, 9400});
        Find(*display.instance, "General", "title").SetString("Revenue");
        for (const auto& o : objects)
            stage.AddComponent(*o);
        step("add");

        // New data: a fourth category and larger values, with a longer title.
        CParameter& values = Find(*chart.instance, "General", "dataValues");
        CParameter* series = values.GetElement(0);
        series->InsertTemplateElement(-1);
        const double data[] = {35, 80, 55, 120};
        for (int i = 0; i < series->GetElementCount(); ++i)
            series->GetElement(i)->SetDouble(data[i]);
        CParameter& labels = Find(*chart.instance, "General", "categoryLabels");
        labels.InsertTemplateElement(-1);
        labels.GetElement(3)->SetString("D");
        Find(*chart.instance, "General", "chartTitle").SetString("Quarterly revenue");
        stage.UpdateComponent(chart);
        step("update");

        gauge.instance->SetRect({1000, 1000, 4200, 4600});
        stage.MoveComponent(gauge);
        step("move");
        slider.instance->SetRect({400, 4800, 8400, 5800}); // a third wider
        stage.ResizeComponent(slider);
        step("resize");
        table.instance->SetRect({400, 6400, 8400, 9400});
        stage.ResizeComponent(table);
        step("resizetable");
        stage.SwapDepths(*gauge.instance, *chart.instance);
        step("swap");
        stage.DisableComponent(display);
        step("disable");
        stage.EnableComponent(display);
        step("enable");
        stage.DisableComponent(display);
        step("disableagain");
        stage.DeleteComponent(slider);
        step("delete");

        std::filesystem::copy_file(stage.GetStageMoviePath(), movie, std::filesystem::copy_options::overwrite_existing);
        std::ofstream(folder / "calls.json") << "{\"symbols\": {\n  " << symbols << "},\n\"steps\": [\n" << steps
                                             << "]}\n";
        stage.DestroyWindow();
        parent.DestroyWindow();
        ResetFlashPlayerFactory();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "app_stage: %s\n", e.what());
        return 1;
    }
    return 0;
}

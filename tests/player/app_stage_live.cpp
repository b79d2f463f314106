// The stage control on the real player: CStageFlashCtrl over CPagePlayer, which runs the player
// page in headless Chromium through tests/player/lib/player-host.mjs. The control starts (every
// symbol measured, the replies taken into the catalogue), sets the canvas size, adds three
// components, updates a chart and resizes a table, all through its own calls, and the replies
// reach it through the player's command event. It writes what it then holds to facts.json
// (name -> text) and a PNG of the stage; app_stage_live.test.mjs checks them.

#include "app/stage/StageFlashCtrl.h"
#include "model/ComponentCatalog.h"
#include "model/ComponentDef.h"
#include "platform/controls/PagePlayer.h"
#include "platform/window/Wnd.h"
#include "publish/TempFiles.h"
#include "tests/player/JsonText.h"
#include "tests/player/OutputFolder.h"
#include "tests/player/PagePlayers.h"
#include "tests/support/TestSupport.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <stdexcept>

namespace {

class CanvasObject : public IStageObject {
public:
    std::unique_ptr<CComponent> instance;
    ComponentRect position{-1, -1, -1, -1};
    int naturalWidth = -1, naturalHeight = -1;
    int GetInstanceCount() const override { return 1; }
    CComponent* GetInstance(int) const override { return instance.get(); }
    void SetStagePosition(const ComponentRect& rect) override { position = rect; }
    void SetNaturalSize(int width, int height) override
    {
        naturalWidth = width;
        naturalHeight = height;
    }
    void UpdateBounds() override {}
};

class CountingHost : public IStageHost {
public:
    int busy = 0, idle = 0, repaints = 0;
    void BeginBusy() override { ++busy; }
    void EndBusy() override { ++idle; }
    void RepaintCanvas() override { ++repaints; }
};

std::string Rect(const ComponentRect& r)
{
    char text[80];
    std::snprintf(text, sizeof text, "%d %d %d %d", r.left, r.top, r.right, r.bottom);
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    std::filesystem::path folder;
    if (!playertest::OutputFolder(argc, argv, folder))
        return 2;
    std::map<std::string, std::string> facts;
    try {
        const std::filesystem::path install = testsupport::InstallDir();
        CComponentCatalog catalog;
        std::string error;
        if (!catalog.Load(install, &error))
            throw std::runtime_error(error);
        CPagePlayer* page = nullptr;
        playertest::UsePagePlayers(install, 800, 600, page);
        publish::CDefaultTempFiles files;
        CountingHost host;
        StageSetup setup;
        setup.installDir = install;
        setup.catalog = &catalog;
        setup.tempFiles = &files;
        setup.host = &host;
        CWnd parent;
        if (!parent.CreateEx(0, "Parent", "canvas", WS_POPUP | WS_VISIBLE, CRect(0, 0, 800, 600), nullptr, 0))
            throw std::runtime_error("no parent window");
        {
            CStageFlashCtrl stage(setup);
            if (!stage.IsReady())
                throw std::runtime_error(stage.GetError());
            if (!stage.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 30, 20), &parent, 158) || page == nullptr)
                throw std::runtime_error("no stage window");

            for (int i = 0; i < catalog.GetTotalCount(); ++i)
                catalog.GetDefinition(i)->SetBoundsChanged(0);
            stage.Init();
            facts["synced after start-up"] = page->Sync() ? "yes" : "no";
            facts["definitions"] = std::to_string(catalog.GetTotalCount());
            for (int i = 0; i < catalog.GetTotalCount(); ++i) {
                const CComponentDef* d = catalog.GetDefinition(i);
                const auto& b = d->GetBounds();
                char text[120];
                std::snprintf(text, sizeof text, "%g %g %g %g", b[0], b[1], b[2], b[3]);
                facts["bounds " + d->GetName()] = text;
                facts["prototype rect " + d->GetName()] = Rect(d->GetPrototype()->GetRect());
            }
            stage.SetStageSize(640, 480);

            std::vector<std::unique_ptr<CanvasObject>> objects;
            const auto add = [&](const char* symbol, const char* name, ComponentRect rect) -> CanvasObject& {
                auto object = std::make_unique<CanvasObject>();
                object->instance = catalog.FindByTypeName(symbol)->CreateInstance();
                object->instance->SetName(name);
                object->instance->SetRect(rect);
                stage.AddComponent(*object);
                objects.push_back(std::move(object));
                return *objects.back();
            };
            add("KVGaugeSymbol", "Gauge", {400, 400, 3600, 4000});
            CanvasObject& chart = add("KVColumnChartSymbol", "Chart", {4400, 400, 10400, 4400});
            CanvasObject& table = add("KVTableNewSymbol", "Table", {400, 4800, 6400, 7800});
            facts["synced after adding"] = page->Sync() ? "yes" : "no";

            stage.UpdateComponent(chart);
            facts["busy while the update is out"] = stage.IsBusy() ? "yes" : "no";
            facts["synced after the update"] = page->Sync() ? "yes" : "no";
            facts["busy after the update"] = stage.IsBusy() ? "yes" : "no";
            facts["chart position"] = Rect(chart.position);
            facts["chart natural size"] = std::to_string(chart.naturalWidth) + " " + std::to_string(chart.naturalHeight);
            facts["chart pending"] = stage.IsPending("Chart") ? "yes" : "no";

            table.instance->SetRect({400, 4800, 8400, 7800});
            stage.ResizeComponent(table);
            facts["synced after the resize"] = page->Sync() ? "yes" : "no";
            facts["table position"] = Rect(table.position);
            facts["busy after the resize"] = stage.IsBusy() ? "yes" : "no";
            facts["busy states"] = std::to_string(host.busy) + " " + std::to_string(host.idle);
            facts["repaints"] = std::to_string(host.repaints);
            facts["screenshot"] = page->Screenshot(folder / "stage-live.png") ? "yes" : "no";

            std::string problems;
            for (const std::string& p : page->Problems())
                if (p.find("Unknown device font") == std::string::npos)
                    problems += (problems.empty() ? "" : " | ") + p;
            facts["problems"] = problems;
            stage.DestroyWindow();
        }
        parent.DestroyWindow();
        ResetFlashPlayerFactory();
    } catch (const std::exception& e) {
        facts["error"] = e.what();
    }
    playertest::WriteFacts(folder, facts);
    return 0;
}

// The Styles sheet's preview on the real player (CPagePlayer, the player page in headless
// Chromium): the canvas's stage written as the program writes it, the preview control at its
// size in the sheet playing the stage's copy for it with the six samples styled by the default
// style. Writes a PNG of the preview and facts.json; app_style_preview.test.mjs checks them.

#include "app/canvas/ViewStyle.h"
#include "app/stage/StageFlashCtrl.h"
#include "model/ComponentCatalog.h"
#include "model/GlobalStyle.h"
#include "platform/controls/PagePlayer.h"
#include "platform/window/Wnd.h"
#include "propui/StylePreviewCtrl.h"
#include "publish/TempFiles.h"
#include "tests/player/JsonText.h"
#include "tests/player/OutputFolder.h"
#include "tests/player/PagePlayers.h"
#include "tests/support/TestSupport.h"

#include <fstream>
#include <map>
#include <stdexcept>

namespace {

class QuietHost : public IStageHost {
public:
    void BeginBusy() override {}
    void EndBusy() override {}
    void RepaintCanvas() override {}
};

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
        playertest::UsePagePlayers(install, CStylePreviewCtrl::kWidth, CStylePreviewCtrl::kHeight, page);
        publish::CDefaultTempFiles files;
        QuietHost host;
        StageSetup setup;
        setup.installDir = install;
        setup.catalog = &catalog;
        setup.tempFiles = &files;
        setup.host = &host;
        CWnd parent;
        if (!parent.CreateEx(0, "Parent", "sheet", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 400), nullptr, 0))
            throw std::runtime_error("no parent window");
        // The stage, started as the canvas starts it: the samples are placed by the bounds it measured.
        CStageFlashCtrl stage(setup);
        if (!stage.IsReady())
            throw std::runtime_error(stage.GetError());
        if (!stage.Create("", WS_CHILD, CRect(0, 0, 30, 20), &parent, 158) || page == nullptr)
            throw std::runtime_error("no stage window");
        stage.Init();
        CPagePlayer* stagePage = page;
        facts["stage synced"] = stagePage->Sync(120000) ? "yes" : "no";
        page = nullptr;
        CStagePreviewSource source(stage);
        CStylePreviewCtrl preview(source, &catalog);
        if (!preview.Create("", WS_CHILD | WS_VISIBLE,
                            CRect(0, 0, CStylePreviewCtrl::kWidth, CStylePreviewCtrl::kHeight), &parent,
                            CStylePreviewCtrl::kControlId) ||
            page == nullptr)
            throw std::runtime_error("no preview window");
        preview.LoadSamples();
        preview.ApplyStyle(CGlobalStyle());
        facts["synced"] = page->Sync() ? "yes" : "no";
        facts["screenshot"] = page->Screenshot(folder / "style-preview.png") ? "yes" : "no";
        std::string problems;
        for (const std::string& p : page->Problems())
            if (p.find("Unknown device font") == std::string::npos)
                problems += (problems.empty() ? "" : " | ") + p;
        facts["problems"] = problems;
        preview.DestroyWindow();
        parent.DestroyWindow();
        ResetFlashPlayerFactory();
    } catch (const std::exception& e) {
        facts["error"] = e.what();
    }
    playertest::WriteFacts(folder, facts);
    return 0;
}

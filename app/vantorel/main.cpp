// vantorel: the dashboard designer.
//
//   vantorel [--headless] [--screenshot FILE [--preview]] [document.vtd] [-f:workbook] [-r] [-s]
//
// The program looks for its installation (asset, component, template, samples and styles
// folders) beside itself. Where there is a display (DISPLAY or WAYLAND_DISPLAY) it opens on
// the screen, with the stage played by Ruffle in a web view; --headless runs it without one,
// as the tests do, and then messages go to standard error. --screenshot FILE writes a PNG of
// the main window once the document's components are drawn on the stage, with the first of them
// selected and its properties showing, and ends the program. The exit code is 1 when the
// program could not start, 2 when the screenshot could not be written, 3 when the stage did not
// finish drawing (the screenshot is written as the window shows). It also says how long after
// the program's start the stage had drawn the document, which tools/bench-start.sh reads.
// With --preview the picture is of the preview instead, taken once it has played its first
// frame, and the program says how long each step of the preview took (tools/bench-preview.sh).

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/panels/CanvasPropertiesPanel.h"
#include "app/canvas/ComponentObj.h"
#include "app/canvas/DrawDoc.h"
#include "app/canvas/DrawView.h"
#include "app/core/AppIds.h"
#include "app/shell/KVApp.h"
#include "app/stage/StageFlashCtrl.h"
#include "base/PlatformServices.h"
#include "platform/docview/WinApp.h"
#ifdef VANTOREL_SCREEN
#include "platform/gtk/GtkScreen.h"
#endif
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/services/FlashPlayerObject.h"
#include "platform/services/ObjectFactory.h"
#include "platform/services/Services.h"
#include "platform/window/Wnd.h"

namespace {

const auto g_started = std::chrono::steady_clock::now();

// Message boxes of a run without a screen: each is written out and answered with its default
// button.
class CConsoleMessageBoxes final : public IMessageBoxService {
public:
    int Show(const MessageBoxRequest& request) override
    {
        std::fprintf(stderr, "vantorel: %s%s%s\n", request.caption.c_str(), request.caption.empty() ? "" : ": ",
                     request.text.c_str());
        return DefaultMessageBoxAnswer(request.flags);
    }
};

#ifdef VANTOREL_SCREEN
// Runs the screen until the stage has taken every call sent to it and the canvas has drawn a
// picture of the page taken after that; false when that did not happen in time.
bool WaitForStage(CStageFlashCtrl& stage, int timeoutMs)
{
    if (!gtkscreen::RunUntil([&] { return gtkscreen::PlayerIdle(stage); }, timeoutMs)) {
        return false;
    }
    // The first snapshot after that may have been asked for before the last call took effect.
    const int seen = gtkscreen::PlayerSnapshots(stage);
    if (!gtkscreen::RunUntil([&] { return gtkscreen::PlayerSnapshots(stage) >= seen + 2; }, timeoutMs)) {
        return false;
    }
    gtkscreen::Flush();
    return true;
}

// The picture of the program at work: the document's components drawn by the stage, the first
// one shown selected (with its handles) and its properties open beside the canvas. False when
// the stage did not finish drawing.
bool PrepareScreenshot(CWnd& mainWindow)
{
    CDrawView* view = GetActiveDrawView();
    CStageFlashCtrl* stage = view != nullptr ? view->GetStage() : nullptr;
    if (stage == nullptr) {
        // No stage (no player page): what the window shows after a while.
        gtkscreen::RunUntil([] { return false; }, 3000);
        return true;
    }
    // The stage has taken the document's components when it is idle, or when it has begun
    // measuring the catalogue's symbols, which it does only then.
    gtkscreen::RunUntil([&] { return gtkscreen::PlayerIdle(*stage) || stage->BackgroundMeasuresBegun(); }, 60000);
    const auto drawn = std::chrono::steady_clock::now() - g_started;
    if (!WaitForStage(*stage, 60000)) {
        std::fprintf(stderr, "vantorel: the stage did not finish drawing; the screenshot shows it as it is\n");
        return false;
    }
    std::fprintf(stderr, "vantorel: the stage drew the document %lld ms after the start\n",
                 static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(drawn).count()));
    // The topmost component shown (the one a click on its place would take).
    const CDrawDoc* doc = view->GetDocument();
    CComponentObj* chosen = nullptr;
    for (CDrawObj* obj : doc != nullptr ? doc->GetObjects() : std::vector<CDrawObj*>()) {
        if (auto* component = dynamic_cast<CComponentObj*>(obj); component != nullptr && component->m_bShown)
            chosen = component;
    }
    if (chosen != nullptr) {
        view->Select(chosen);
        // Through the menu command, as a person opens the properties.
        mainWindow.SendMessage(WM_COMMAND, ID_EDIT_PROPERTIES, 0);
        IPropertiesPanel* panel = CComponentObj::GetCurrentPanel();
        if (panel == nullptr || !panel->IsSheetOpen())
            std::fprintf(stderr, "vantorel: the selected component's properties did not open\n");
    }
    WaitForStage(*stage, 20000);
    gtkscreen::RunUntil([] { return false; }, 300);
    return true;
}

long long NowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// View > Preview pressed once the stage has drawn the document, and the steps until the
// preview played its first frame. False when it did not.
bool PreparePreview(CWnd& mainWindow)
{
    CDrawView* view = GetActiveDrawView();
    CStageFlashCtrl* stage = view != nullptr ? view->GetStage() : nullptr;
    if (stage != nullptr)
        WaitForStage(*stage, 60000);
    const long long pressed = NowMs();
    mainWindow.SendMessage(WM_COMMAND, ID_VIEW_SWF_PREVIEW, 0);
    const long long built = NowMs();
    CShockwaveFlash* player = view != nullptr && view->IsPreview() ? view->GetPreviewPlayer() : nullptr;
    if (player == nullptr) {
        std::fprintf(stderr, "vantorel: the preview did not start\n");
        return false;
    }
    if (!gtkscreen::RunUntil([&] { return gtkscreen::PlayerTimes(*player).loaded != 0 && gtkscreen::PlayerIdle(*player); },
                             120000)) {
        std::fprintf(stderr, "vantorel: the preview did not play its first frame\n");
        return false;
    }
    gtkscreen::Flush();
    const gtkscreen::PlayerSteps steps = gtkscreen::PlayerTimes(*player);
    // Each step from the press; one done before it (a page started at the program's start) is
    // negative.
    const auto after = [&](long long at) { return at - pressed; };
    std::fprintf(stderr,
                 "vantorel: preview steps: page started %lld ms, page loaded %lld ms, player ready %lld ms, built and "
                 "written %lld ms, movie sent %lld ms, first frame %lld ms after the press\n",
                 after(steps.pageStarted), after(steps.pageLoaded), after(steps.playerReady), built - pressed,
                 after(steps.loadSent), after(steps.loaded));
    gtkscreen::RunUntil([] { return false; }, 300);
    return true;
}
#endif

} // namespace

int main(int argc, char** argv)
{
    bool headless = false;
    bool preview = false;
    std::string screenshot;
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--headless") {
            headless = true;
        } else if (arg == "--preview") {
            preview = true;
        } else if (arg == "--screenshot" && i + 1 < argc) {
            // Made absolute now: the program moves to its installation folder as it starts.
            std::error_code error;
            screenshot = argv[++i];
            const std::filesystem::path absolute = std::filesystem::absolute(screenshot, error);
            if (!error)
                screenshot = absolute.string();
        } else {
            args.push_back(arg);
        }
    }
    SetMessageBoxService(std::make_unique<CConsoleMessageBoxes>());
    std::string error;
#ifdef VANTOREL_SCREEN
    const bool screen = !headless && gtkscreen::DisplayAvailable() && gtkscreen::OpenScreen({}, &error);
#else
    const bool screen = false;
    error = "this build has no screen (GTK 3 and WebKitGTK were not installed)";
#endif
    if (screen) {
#ifdef VANTOREL_SCREEN
        // The stage plays in the installation's player page; without it the stage stays empty.
        const std::string install = GetPlatformServices().ModuleFileName().parent_path().string();
        if (!gtkscreen::UseWebKitPlayer(install, &error)) {
            std::fprintf(stderr, "vantorel: the stage shows no movie: %s\n", error.c_str());
        }
        if (!screenshot.empty()) {
            // Nobody answers a picture's run: its start-up boxes are written out and its
            // start-up dialogs (the welcome page) closed, as in a headless run.
            SetMessageBoxService(std::make_unique<CConsoleMessageBoxes>());
            ui::SetModalLoopWaits(false);
        }
#endif
    } else if (!screenshot.empty()) {
        std::fprintf(stderr, "vantorel: no display for the screenshot (%s)\n",
                     error.empty() ? "run without --headless, under a display or Xvfb" : error.c_str());
        return 2;
    }
    SetShellService(std::make_unique<CDesktopShell>());
    RegisterFlashPlayerObject(GetObjectFactory());
    RegisterProgramObjects(GetObjectFactory());

    CKVApp app;
    app.SetCommandLine(args);
    if (!app.InitInstance()) {
        if (app.m_pMainWnd != nullptr && app.m_pMainWnd->m_hWnd != nullptr) {
            app.m_pMainWnd->DestroyWindow();
        }
        app.ExitInstance();
        return 1;
    }
#ifdef VANTOREL_SCREEN
    if (!screenshot.empty() && app.m_pMainWnd != nullptr) {
        const bool drawn = preview ? PreparePreview(*app.m_pMainWnd) : PrepareScreenshot(*app.m_pMainWnd);
        const bool saved = gtkscreen::SaveScreenshot(*app.m_pMainWnd, screenshot);
        std::fprintf(stderr, saved ? "vantorel: screenshot %s\n" : "vantorel: cannot write %s\n", screenshot.c_str());
        app.m_pMainWnd->DestroyWindow();
        app.ExitInstance();
        gtkscreen::CloseScreen();
        return !saved ? 2 : drawn ? 0 : 3;
    }
    const int status = app.Run();
    gtkscreen::CloseScreen();
    return status;
#else
    return app.Run();
#endif
}

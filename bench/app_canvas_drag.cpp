// How long the designer's canvas takes to follow the pointer: a component of a shipped sample
// is pressed and dragged on the canvas through the window layer (the layer's own input and
// painting, headless, into a picture per top-level window as the screen host paints), and
// every step of the drag is timed from the pointer's move to the end of the repaint. A drag must repaint within
// one frame at 60 Hz (16.7 ms). The stage draws as the screen's player does: a picture of the
// page as large as the canvas, laid on it at every paint.
//   build/bench/bench_app_canvas_drag [sample.vtd]

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "app/canvas/ComponentObj.h"
#include "app/canvas/DrawDoc.h"
#include "app/canvas/DrawView.h"
#include "app/shell/KVApp.h"
#include "bench/BenchTiming.h"
#include "platform/dialogs/Dialog.h"
#include "platform/docview/WinApp.h"
#include "platform/drawing/DC.h"
#include "platform/services/FlashPlayerObject.h"
#include "platform/services/ObjectFactory.h"
#include "platform/services/Services.h"
#include "platform/drawing/RasterDC.h"
#include "platform/window/WindowHost.h"
#include "platform/window/UserInput.h"
#include "tests/support/FlashPlayerFake.h"
#include "tests/support/TestSupport.h"

namespace {

class SnapshotStagePlayer : public CFakeFlashPlayer {
public:
    void Draw(CDC& dc, const CRect& rect) override
    {
        // The canvas rectangle is in twips, 20 to the pixel.
        const int width = rect.Width() / 20;
        const int height = rect.Height() / 20;
        if (picture.Width() != width || picture.Height() != height) {
            picture.CreateBitmap(width, height, RGB(255, 255, 255));
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    if ((x / 40 + y / 30) % 3 == 0) {
                        picture.SetPixel(x, y, RGB(40 + x % 200, 90, 200 - y % 150));
                    }
                }
            }
        }
        dc.DrawImage(rect.left, rect.top, picture, false);
    }
    CBitmap picture;
};

// Windows paint into one picture per top-level window, as the screen host has them paint (a
// raster context over the picture, at the window's place, clipped to it and to the part asked
// for); the picture is the pixels the screen would show.
class PictureHost final : public IWindowHost {
public:
    CDC* AcquireDC(CWnd& wnd, const CRect* paintRect) override
    {
        CWnd* top = wnd.GetTopLevelParent();
        if (top == nullptr) {
            return nullptr;
        }
        CRect topRect;
        top->GetWindowRect(&topRect);
        CBitmap& picture = pictures_[top->GetSafeHwnd()];
        if (picture.Width() != topRect.Width() || picture.Height() != topRect.Height()) {
            picture.CreateBitmap(std::max(1, topRect.Width()), std::max(1, topRect.Height()));
        }
        CRect rect;
        wnd.GetWindowRect(&rect);
        rect.OffsetRect(-topRect.left, -topRect.top);
        auto* dc = new CRasterDC();
        dc->SelectObject(&picture);
        dc->SetViewportOrg(rect.left, rect.top);
        CRect clip(0, 0, rect.Width(), rect.Height());
        if (paintRect != nullptr) {
            clip.IntersectRect(clip, *paintRect);
        }
        dc->IntersectClipRect(clip);
        ++paints;
        return dc;
    }
    void ReleaseDC(CWnd&, CDC* dc) override { delete dc; }
    void WindowDestroyed(CWnd& wnd) override { pictures_.erase(wnd.GetSafeHwnd()); }

    long paints = 0;

private:
    std::map<HWND, CBitmap> pictures_;
};

struct Designer {
    testsupport::TempDir settings;
    testsupport::TempDir temp;
    std::unique_ptr<CKVApp> app;
    CDrawView* view = nullptr;
    CComponentObj* component = nullptr;
    PictureHost* host = nullptr;
    CPoint at;
    int step = 0;
    bool ok = false;

    explicit Designer(const std::string& sample)
    {
        auto pictures = std::make_unique<PictureHost>();
        host = pictures.get();
        SetWindowHost(std::move(pictures));
        GetPlatformServices().SetModuleFileName(testsupport::InstallDir() / "vantorel");
        GetPlatformServices().SetAppDataFolder(settings.path());
        GetPlatformServices().SetTempFolder(temp.path());
        SetFlashPlayerFactory([] { return std::make_unique<SnapshotStagePlayer>(); });
        RegisterFlashPlayerObject(GetObjectFactory());
        RegisterProgramObjects(GetObjectFactory());
        ui::SetDialogHook(309, [](CDialog& dlg) { dlg.EndDialog(IDOK); }); // the welcome page
        app = std::make_unique<CKVApp>();
        app->SetCommandLine({sample});
        if (!app->InitInstance() || app->m_pMainWnd == nullptr) {
            return;
        }
        app->m_pMainWnd->ShowWindow(SW_SHOWNORMAL);
        app->m_pMainWnd->MoveWindow(0, 0, 1400, 900);
        PumpUntilIdle();
        view = GetActiveDrawView();
        if (view == nullptr || view->GetDocument() == nullptr) {
            return;
        }
        for (CDrawObj* obj : view->GetDocument()->GetObjects()) {
            auto* c = dynamic_cast<CComponentObj*>(obj);
            if (c != nullptr && c->m_bShown) {
                component = c;
                break;
            }
        }
        if (component == nullptr) {
            return;
        }
        // Pressed a little inside the component: it is selected and follows the pointer.
        at = view->DocToClient(component->m_position).TopLeft() + CSize(10, 10);
        CUserInput::MoveTo(*view, at);
        ok = CUserInput::Press(*view, at) && view->IsSelected(component);
    }
    ~Designer()
    {
        if (ok) {
            CUserInput::Release(*view, at);
        }
        if (app != nullptr && app->m_pMainWnd != nullptr && app->m_pMainWnd->m_hWnd != nullptr) {
            app->m_pMainWnd->DestroyWindow();
        }
        if (app != nullptr) {
            app->ExitInstance();
        }
    }

    // One move of the pointer and the repaint it causes; back and forth, so the component stays
    // on the canvas.
    void Step()
    {
        const int phase = step++ % 40;
        at.Offset(phase < 20 ? 4 : -4, (phase % 20) < 10 ? 3 : -3);
        CUserInput::MoveTo(*view, at);
        PumpPendingMessages();
    }
};

Designer* g_designer = nullptr;

void BM_CanvasDragStep(benchmark::State& state)
{
    for (auto _ : state) {
        g_designer->Step();
    }
}
BENCHMARK(BM_CanvasDragStep)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    const std::string sample = argc > 1 && std::string(argv[1]).rfind("--", 0) != 0 ? argv[1]
                                        : (testsupport::InstallDir() / "samples" / "Dashboards" / "regional-sales.vtd")
                                              .string();
    Designer designer(sample);
    if (!designer.ok) {
        std::fprintf(stderr, "cannot drag a component of %s (is the installation folder built?)\n", sample.c_str());
        return 1;
    }
    g_designer = &designer;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    const CRect start = designer.component->m_position;
    constexpr int kSteps = 200;
    const double perStep = benchtiming::Seconds([&] {
                               for (int i = 0; i < kSteps; ++i) {
                                   designer.Step();
                               }
                           }) * 1000 / kSteps;
    // The drag must have moved the component and repainted the canvas.
    const long paints = designer.host->paints;
    designer.Step();
    if (designer.component->m_position == start || designer.host->paints == paints) {
        std::fprintf(stderr, "the component did not follow the pointer, or the canvas did not repaint\n");
        return 1;
    }
    const double frameMs = 1000.0 / 60;
    const CSize canvas(designer.view->GetDocument()->GetCanvasWidth(), designer.view->GetDocument()->GetCanvasHeight());
    std::printf("a drag step on the %ldx%ld canvas (pointer move and repaint): %.2f ms; a 60 Hz frame is %.1f ms "
                "(%.2f of a frame)\n",
                static_cast<long>(canvas.cx), static_cast<long>(canvas.cy), perStep, frameMs, perStep / frameMs);
    return 0;
}

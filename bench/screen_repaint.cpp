// How long the screen takes to show a repaint of the designer's main window: the windows paint
// into the window's picture, the picture goes to the toolkit's surface and the display takes
// it. A drag on the canvas must repaint within one frame at 60 Hz (16.7 ms); the whole window
// is the most a drag step can repaint. Needs a display: run it as
//   tools/under-display.sh build/bench/bench_screen_repaint

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "bench/BenchTiming.h"
#include "platform/docview/Frame.h"
#include "platform/docview/StatusBar.h"
#include "platform/docview/WinApp.h"
#include "platform/drawing/Colors.h"
#include "platform/drawing/DC.h"
#include "platform/gtk/GtkScreen.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 800;

// A canvas like the designer's: a grid, and components with frames, fills and captions.
class Canvas : public CWnd {
public:
    CPoint dragged{200, 200};

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_PAINT) {
            return CWnd::WindowProc(message, wParam, lParam);
        }
        PAINTSTRUCT ps;
        CDC* dc = BeginPaint(&ps);
        if (dc != nullptr) {
            CRect client;
            GetClientRect(&client);
            dc->FillSolidRect(client, RGB(255, 255, 255));
            for (int x = 0; x < client.right; x += 16) {
                dc->FillSolidRect(x, 0, 1, client.bottom, RGB(232, 236, 240));
            }
            for (int y = 0; y < client.bottom; y += 16) {
                dc->FillSolidRect(0, y, client.right, 1, RGB(232, 236, 240));
            }
            dc->SetBkMode(TRANSPARENT);
            for (int i = 0; i < 24; ++i) {
                const CPoint at = i == 0 ? dragged : CPoint(40 + (i % 6) * 190, 40 + (i / 6) * 170);
                const CRect box(at.x, at.y, at.x + 170, at.y + 140);
                dc->FillSolidRect(box, RGB(40 + i * 8, 90, 200 - i * 5));
                dc->Draw3dRect(box, RGB(0, 0, 0), RGB(0, 0, 0));
                dc->SetTextColor(RGB(255, 255, 255));
                dc->DrawText("Component " + std::to_string(i + 1), CRect(box.left, box.top + 6, box.right, box.top + 24),
                             DT_CENTER | DT_SINGLELINE);
                dc->DrawText("Sales by region: 1,234.56", CRect(box.left + 6, box.top + 60, box.right - 6, box.top + 80),
                             DT_LEFT | DT_SINGLELINE);
            }
        }
        EndPaint(&ps);
        return 0;
    }
};

class MainWindow : public CFrameWnd {
public:
    Canvas canvas;
    CStatusBar status;
};

MainWindow* g_main = nullptr;

void BM_RepaintWholeWindow(benchmark::State& state)
{
    for (auto _ : state) {
        gtkscreen::RepaintNow(*g_main, true);
    }
}
BENCHMARK(BM_RepaintWholeWindow)->Unit(benchmark::kMillisecond);

// One step of a drag: the component moves, the canvas repaints where it was and where it is.
void BM_DragStep(benchmark::State& state)
{
    Canvas& canvas = g_main->canvas;
    int step = 0;
    for (auto _ : state) {
        const CRect before(canvas.dragged.x, canvas.dragged.y, canvas.dragged.x + 171, canvas.dragged.y + 141);
        const int dx = (step % 40) < 20 ? 3 : -3;
        const int dy = (step % 20) < 10 ? 2 : -2;
        ++step;
        canvas.dragged.Offset(dx, dy);
        const CRect after(canvas.dragged.x, canvas.dragged.y, canvas.dragged.x + 171, canvas.dragged.y + 141);
        CRect both;
        both.UnionRect(before, after);
        canvas.InvalidateRect(&both, TRUE);
        gtkscreen::RepaintNow(*g_main, false);
    }
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    std::string error;
    if (!gtkscreen::OpenScreen({}, &error)) {
        std::printf("skipped: %s (run it as tools/under-display.sh %s)\n", error.c_str(), argv[0]);
        return 0;
    }
    MainWindow frame;
    g_main = &frame;
    frame.Create(nullptr, "Vantorel", WS_OVERLAPPEDWINDOW, CRect(0, 0, kWidth, kHeight));
    frame.canvas.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, kWidth, kHeight - 20), &frame, 1);
    static const UINT indicators[] = {ID_SEPARATOR};
    frame.status.Create(&frame);
    frame.status.SetIndicators(indicators, 1);
    frame.status.SetPaneText(0, "Ready");
    frame.ShowWindow(SW_SHOW);
    gtkscreen::Flush();

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    const double whole = benchtiming::Best([&] { gtkscreen::RepaintNow(frame, true); }, 20) * 1000;
    const double frameMs = 1000.0 / 60;
    std::printf("repaint of the whole %dx%d main window to the screen: %.2f ms; a 60 Hz frame is %.1f ms "
                "(%.2f of a frame)\n",
                kWidth, kHeight, whole, frameMs, whole / frameMs);
    frame.DestroyWindow();
    gtkscreen::CloseScreen();
    return 0;
}

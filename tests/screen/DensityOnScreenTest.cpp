#include "ScreenFixture.h"

#include "platform/controls/Static.h"
#include "platform/docview/Frame.h"
#include "platform/docview/MenuBar.h"
#include "platform/docview/Resources.h"
#include "platform/docview/ToolBar.h"
#include "platform/drawing/IconTheme.h"
#include "platform/window/Screen.h"

namespace {

enum : UINT { IDR_DENSE = 4700, IDC_LABEL = 100, ID_CUT = 0xE123, ID_COPY = 0xE122 };

// A frame with a menu, a toolbar of theme icons and a label: text and icons, drawn by the layer
// and by the toolkit.
class DenseFrame : public CFrameWnd {
public:
    int OnCreate(LPCREATESTRUCT cs)
    {
        if (CFrameWnd::OnCreate(cs) == -1) {
            return -1;
        }
        static const UINT buttons[] = {ID_CUT, ID_COPY};
        if (!bar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP) || !bar.SetButtons(buttons, 2)) {
            return -1;
        }
        bar.SetIcons({"edit-cut-symbolic", "edit-copy-symbolic"});
        bar.SetSizes(CSize(2 * 23, 2 * 22), CSize(2 * 16, 2 * 16));
        bar.EnableDocking(CBRS_ALIGN_ANY);
        EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&bar);
        label.Create("Sharp text", WS_CHILD | WS_VISIBLE, CRect(20, 120, 300, 160), this, IDC_LABEL);
        return 0;
    }
    void OnCut() {}
    void OnCopy() {}

    CToolBar bar;
    CStatic label;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DenseFrame, CFrameWnd)
    .OnCreate(&DenseFrame::OnCreate)
    .Command(ID_CUT, &DenseFrame::OnCut)
    .Command(ID_COPY, &DenseFrame::OnCopy) END_MESSAGE_MAP()

    class DensityOnScreenTest : public ScreenTest {
protected:
    void TearDown() override
    {
        ResetResources();
        ScreenTest::TearDown();
    }
};

// Pixels of a rectangle (the window's coordinates) where the screen differs from the picture.
int Differing(const CBitmap& screen, const CBitmap& picture, const CRect& area)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            count += screen.GetPixel(x, y) != picture.GetPixel(x, y) ? 1 : 0;
        }
    }
    return count;
}

// The layer counts the screen's own pixels: what the screen shows of its window is its picture
// pixel for pixel (nothing stretched, so icons and text are sharp), drawn at twice the density.
TEST_F(DensityOnScreenTest, ADoubleDensityScreenShowsTheLayersPicturePixelForPixel)
{
    if (gtkscreen::ScreenScale() != 2) {
        GTEST_SKIP() << "not a double-density screen (run with GDK_SCALE=2)";
    }
    EXPECT_EQ(GetScreenMetrics().dpiY, 192);
    GetIconTheme().SetFolders({}, DefaultThemeFolders());
    GetResources().AddString(IDR_DENSE, "Dense");
    GetResources().AddMenu(IDR_DENSE, {MenuTemplateItem::Popup("&Edit", {{"Cu&t", ID_CUT}})});
    DenseFrame frame;
    ASSERT_TRUE(frame.LoadFrame(IDR_DENSE, WS_OVERLAPPEDWINDOW));
    frame.MoveWindow(80, 80, 900, 600);
    frame.ShowWindow(SW_SHOW);
    frame.UpdateWindow();
    ASSERT_TRUE(gtkscreen::RunUntil([&] { return gtkscreen::ReadScreen(frame).IsCreated(); }, 3000));
    gtkscreen::Flush();
    const CBitmap screen = Shot(frame, "double-density");
    const CBitmap* picture = gtkscreen::WindowPicture(frame);
    ASSERT_NE(picture, nullptr);
    ASSERT_EQ(screen.Width(), picture->Width()) << "the window is not shown at the screen's density";
    ASSERT_EQ(screen.Height(), picture->Height());

    CRect bar;
    frame.bar.GetWindowRect(&bar);
    frame.ScreenToClient(&bar);
    EXPECT_EQ(Differing(screen, *picture, bar), 0) << "the toolbar's icons are not shown as drawn";
    CRect label;
    frame.label.GetWindowRect(&label);
    frame.ScreenToClient(&label);
    EXPECT_EQ(Differing(screen, *picture, label), 0) << "the label's text is not shown as drawn";
    EXPECT_GT(BlendedPixels(*picture, label, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT)), 0)
        << "no text drawn";
    // The icons are drawn at twice their size, and the toolkit's menu bar is as tall as its
    // own text at this density needs.
    EXPECT_EQ(frame.bar.GetIconSize(), 2 * 16);
    // The label keeps the default font, made for the screen's density.
    EXPECT_GE(ui::MetricsFor(ui::DefaultLogFont()).tmHeight, 2 * 13);
    CRect menu;
    frame.GetMenuBar()->GetWindowRect(&menu);
    EXPECT_GE(menu.Height(), 2 * 20);
    frame.DestroyWindow();
}

} // namespace

#include "ScreenFixture.h"

#include "platform/controls/ListBox.h"
#include "platform/docview/Frame.h"
#include "platform/docview/Resources.h"
#include "platform/docview/ToolBar.h"
#include "platform/drawing/Colors.h"
#include "platform/drawing/IconTheme.h"

namespace {

enum : UINT { IDC_LIST = 100, ID_CUT = 0xE123, ID_COPY = 0xE122 };

// A frame with a toolbar of theme icons and a list with a selected row: the layer's own
// drawing of the parts the toolkit's sample shows.
class LookFrame : public CFrameWnd {
public:
    int OnCreate(LPCREATESTRUCT cs)
    {
        if (CFrameWnd::OnCreate(cs) == -1) {
            return -1;
        }
        static const UINT buttons[] = {ID_CUT, ID_COPY};
        if (!bar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS) ||
            !bar.SetButtons(buttons, 2)) {
            return -1;
        }
        bar.SetIcons({"edit-cut-symbolic", "edit-copy-symbolic"});
        bar.EnableDocking(CBRS_ALIGN_ANY);
        EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&bar);
        list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(20, 60, 220, 160), this, IDC_LIST);
        list.AddString("Selected");
        list.AddString("Plain");
        list.SetCurSel(0);
        return 0;
    }
    void OnCut() {}
    void OnCopy() {}

    CToolBar bar;
    CListBox list;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(LookFrame, CFrameWnd)
    .OnCreate(&LookFrame::OnCreate)
    .Command(ID_CUT, &LookFrame::OnCut)
    .Command(ID_COPY, &LookFrame::OnCopy) END_MESSAGE_MAP()

    int Distance(COLORREF a, COLORREF b)
{
    return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                     std::abs(GetBValue(a) - GetBValue(b))});
}

class LookOnScreenTest : public ScreenTest {};

// The face, the selection and the toolbar icons on the screen are the toolkit's, as its own
// widgets drawn beside them show.
TEST_F(LookOnScreenTest, FaceSelectionAndIconsMatchTheToolkitsOwnWidgets)
{
    GetResources().AddString(ID_CUT, "Cut the selection\nCut");
    GetIconTheme().SetFolders({}, DefaultThemeFolders());
    const gtkscreen::ToolkitSample sample = gtkscreen::DrawToolkitSample();
    ASSERT_TRUE(sample.picture.IsCreated());
    EXPECT_TRUE(WritePng(testsupport::ArtefactDir("screen") / "toolkit-sample.png", sample.picture));

    LookFrame frame;
    ASSERT_TRUE(frame.Create(nullptr, "Look", WS_OVERLAPPEDWINDOW, CRect(40, 40, 400, 260)));
    frame.ShowWindow(SW_SHOW);
    gtkscreen::Flush();
    const CBitmap shot = Shot(frame, "look-beside-toolkit");
    ASSERT_TRUE(shot.IsCreated());

    CRect bar;
    frame.bar.GetWindowRect(&bar);
    frame.ScreenToClient(&bar);
    const COLORREF face = sample.picture.GetPixel(sample.face.x, sample.face.y);
    EXPECT_LE(Distance(shot.GetPixel(bar.right - 2, bar.top + 2), face), 2);
    EXPECT_LE(Distance(GetSysColor(COLOR_BTNFACE), face), 2);

    CRect list;
    frame.list.GetWindowRect(&list);
    frame.ScreenToClient(&list);
    const COLORREF selection = sample.picture.GetPixel(sample.selection.x, sample.selection.y);
    EXPECT_LE(Distance(shot.GetPixel(list.left + 4, list.top + 4), selection), 2);

    // Each button shows its icon in the theme's text colour; the tip is the command's.
    CRect button;
    frame.bar.GetItemRect(0, &button);
    frame.bar.ClientToScreen(&button);
    frame.ScreenToClient(&button);
    int ink = 0;
    for (int y = button.top; y < button.bottom; ++y)
        for (int x = button.left; x < button.right; ++x)
            ink += Distance(shot.GetPixel(x, y), GetSysColor(COLOR_BTNTEXT)) < 40 ? 1 : 0;
    EXPECT_GT(ink, 10);
    CRect local;
    frame.bar.GetItemRect(0, &local);
    EXPECT_EQ(frame.bar.ToolTipAt(local.CenterPoint()), "Cut");
    frame.DestroyWindow();
}

} // namespace

#include "ScreenFixture.h"

#include "platform/controls/Button.h"
#include "platform/controls/Edit.h"
#include "platform/controls/ScrollBar.h"
#include "platform/controls/TabCtrl.h"
#include "platform/docview/Frame.h"
#include "platform/drawing/Colors.h"

#include <algorithm>
#include <cstdlib>

namespace {

enum : UINT { IDC_BUTTON = 100, IDC_CHECK, IDC_RADIO, IDC_EDIT, IDC_TABS, IDC_SCROLL };

// The layer's own button, check box, radio button, entry, tabs and scroll bar, laid out as the
// toolkit's gallery lays out its widgets.
class GalleryFrame : public CFrameWnd {
public:
    void Build(const gtkscreen::ToolkitGallery& g)
    {
        button.Create("Button", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, g.button, this, IDC_BUTTON);
        check.Create("Check", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, g.check, this, IDC_CHECK);
        check.SetCheck(BST_CHECKED);
        radio.Create("Radio", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, g.radio, this, IDC_RADIO);
        radio.SetCheck(BST_CHECKED);
        edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, g.entry, this, IDC_EDIT);
        edit.SetWindowText("Entry");
        tabs.Create(WS_CHILD | WS_VISIBLE, g.notebook, this, IDC_TABS);
        tabs.InsertItem(0, "First");
        tabs.InsertItem(1, "Second");
        scroll.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, g.scrollbar, this, IDC_SCROLL);
        SCROLLINFO info;
        info.fMask = SIF_ALL;
        info.nMax = 100;
        info.nPage = 30;
        scroll.SetScrollInfo(&info);
        edit.SetFocus();
    }

    CButton button, check, radio;
    CEdit edit;
    CTabCtrl tabs;
    CScrollBar scroll;
};

int Distance(COLORREF a, COLORREF b)
{
    return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                     std::abs(GetBValue(a) - GetBValue(b))});
}

// The darkest pixel of an area (a text's colour where its glyphs are fully inked).
COLORREF Darkest(const CBitmap& picture, const CRect& area)
{
    COLORREF best = RGB(255, 255, 255);
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF c = picture.GetPixel(x, y);
            if (GetRValue(c) + GetGValue(c) + GetBValue(c) < GetRValue(best) + GetGValue(best) + GetBValue(best))
                best = c;
        }
    return best;
}

// The most saturated pixel of an area: the accent of a checked box.
COLORREF MostColoured(const CBitmap& picture, const CRect& area)
{
    COLORREF best = RGB(255, 255, 255);
    int bestSpread = -1;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF c = picture.GetPixel(x, y);
            const int spread = std::max({GetRValue(c), GetGValue(c), GetBValue(c)}) -
                               std::min({GetRValue(c), GetGValue(c), GetBValue(c)});
            if (spread > bestSpread) {
                bestSpread = spread;
                best = c;
            }
        }
    return best;
}

// Both pictures side by side, the toolkit's on the left, for a person to compare.
CBitmap SideBySide(const CBitmap& left, const CBitmap& right)
{
    CBitmap both(left.Width() + right.Width() + 8, std::max(left.Height(), right.Height()));
    for (int y = 0; y < both.Height(); ++y)
        for (int x = 0; x < both.Width(); ++x)
            both.SetPixel(x, y, RGB(255, 0, 255));
    for (int y = 0; y < left.Height(); ++y)
        for (int x = 0; x < left.Width(); ++x)
            both.SetPixel(x, y, left.GetPixel(x, y));
    for (int y = 0; y < right.Height(); ++y)
        for (int x = 0; x < right.Width(); ++x)
            both.SetPixel(left.Width() + 8 + x, y, right.GetPixel(x, y));
    return both;
}

using GalleryOnScreen = ScreenTest;

// Face, text, accent and focus colours of the layer's controls are those of the toolkit's own
// widgets drawn beside them.
TEST_F(GalleryOnScreen, TheLayersControlsTakeTheToolkitsColours)
{
    const gtkscreen::ToolkitGallery gallery = gtkscreen::DrawToolkitGallery();
    ASSERT_TRUE(gallery.picture.IsCreated());
    GalleryFrame frame;
    ASSERT_TRUE(frame.Create(nullptr, "Gallery", WS_OVERLAPPEDWINDOW,
                             CRect(40, 40, 40 + gallery.picture.Width() + 40, 40 + gallery.picture.Height() + 60)));
    frame.Build(gallery);
    frame.ShowWindow(SW_SHOW);
    gtkscreen::Flush();
    frame.edit.SetFocus();
    gtkscreen::Flush();
    const CBitmap shot = Shot(frame, "gallery-layer");
    ASSERT_TRUE(shot.IsCreated());
    EXPECT_TRUE(WritePng(testsupport::ArtefactDir("screen") / "gallery-beside-toolkit.png",
                         SideBySide(gallery.picture, shot)));
    auto place = [&](CWnd& w) {
        CRect r;
        w.GetWindowRect(&r);
        frame.ScreenToClient(&r);
        return r;
    };

    // The button's face beside its text, and its text.
    const CRect tkButton = gallery.button;
    const CRect button = place(frame.button);
    EXPECT_LE(Distance(shot.GetPixel(button.left + 3, button.CenterPoint().y),
                       gallery.picture.GetPixel(tkButton.left + 3, tkButton.CenterPoint().y)),
              6);
    EXPECT_LE(Distance(Darkest(shot, button), Darkest(gallery.picture, tkButton)), 30);
    // The checked box and radio button in the accent colour.
    EXPECT_LE(Distance(MostColoured(shot, place(frame.check)), MostColoured(gallery.picture, gallery.check)), 24);
    EXPECT_LE(Distance(MostColoured(shot, place(frame.radio)), MostColoured(gallery.picture, gallery.radio)), 24);
    // The focused entry: its border in the colour the toolkit marks focus and selection with
    // (an entry the toolkit draws offscreen shows it as its text's selection), its field the
    // theme's base colour.
    const CRect edit = place(frame.edit);
    EXPECT_LE(Distance(MostColoured(shot, CRect(edit.left, edit.top, edit.right, edit.top + 1)),
                       MostColoured(gallery.picture, gallery.entry)),
              24);
    EXPECT_LE(Distance(shot.GetPixel(edit.right - 4, edit.CenterPoint().y),
                       gallery.picture.GetPixel(gallery.entry.right - 4, gallery.entry.CenterPoint().y)),
              4);
    // The current tab's accent.
    const CRect tabs = place(frame.tabs);
    EXPECT_LE(Distance(MostColoured(shot, CRect(tabs.left, tabs.top, tabs.right, tabs.top + 40)),
                       MostColoured(gallery.picture, CRect(gallery.notebook.left, gallery.notebook.top,
                                                           gallery.notebook.right, gallery.notebook.top + 40))),
              24);
    // The scroll bar's trough below its slider.
    const CRect scroll = place(frame.scroll);
    EXPECT_LE(Distance(shot.GetPixel(scroll.left + 2, scroll.bottom - scroll.Width() - 4),
                       gallery.picture.GetPixel(gallery.scrollbar.left + 2, gallery.scrollbar.bottom - 4)),
              6);
    frame.DestroyWindow();
}

} // namespace

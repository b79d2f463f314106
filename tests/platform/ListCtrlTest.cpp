#include "BuiltInGlyphs.h"
#include "ControlFixture.h"

#include "platform/controls/Edit.h"
#include "platform/controls/ImageList.h"
#include "platform/controls/ListCtrl.h"
#include "platform/window/RasterWindowHost.h"

namespace {

class ListCtrlTest : public ControlTest {
protected:
    void MakeReport(DWORD style = 0)
    {
        ASSERT_TRUE(
            list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | style, CRect(0, 0, 200, 100), &parent, 179));
        list.InsertColumn(0, "Name", LVCFMT_LEFT, 120);
        list.InsertColumn(1, "Sec", LVCFMT_LEFT, 40);
    }
    CListCtrl list;
};

TEST_F(ListCtrlTest, RefillingAListWithCheckBoxesAnnouncesEveryNewItemsState)
{
    MakeReport();
    list.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES);
    list.InsertItem(0, "Chart_1");
    list.InsertItem(1, "Gauge_1");
    list.SetCheck(1, TRUE);
    EXPECT_TRUE(list.GetCheck(1));
    EXPECT_FALSE(list.GetCheck(0));
    EXPECT_EQ(parent.log,
              Codes({Ntf(179, LVN_INSERTITEM), Ntf(179, LVN_ITEMCHANGING), Ntf(179, LVN_ITEMCHANGED),
                     Ntf(179, LVN_INSERTITEM), Ntf(179, LVN_ITEMCHANGING), Ntf(179, LVN_ITEMCHANGED),
                     Ntf(179, LVN_ITEMCHANGING), Ntf(179, LVN_ITEMCHANGED)}));
    const auto& nm = parent.Last<NMLISTVIEW>();
    EXPECT_EQ(nm.iItem, 1);
    EXPECT_EQ(nm.uOldState, INDEXTOSTATEIMAGEMASK(1));
    EXPECT_EQ(nm.uNewState, INDEXTOSTATEIMAGEMASK(2));
    EXPECT_EQ(nm.uChanged, LVIF_STATE);

    parent.log.clear();
    list.DeleteAllItems();
    EXPECT_EQ(parent.log,
              Codes({Ntf(179, LVN_DELETEALLITEMS), Ntf(179, LVN_DELETEITEM), Ntf(179, LVN_DELETEITEM)}));
    EXPECT_EQ(list.GetItemCount(), 0);
}

TEST_F(ListCtrlTest, SelectionIsSingleWhenAskedAndTheParentMayRefuseIt)
{
    MakeReport(LVS_SINGLESEL);
    for (const char* s : {"a", "b", "c"})
        list.InsertItem(list.GetItemCount(), s);
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(list.GetSelectedCount(), 1u);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 2);
    parent.answerNotify = 1; // refuse every change
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    parent.answerNotify = 0;
    // Clearing 2 was refused, so 1 may not be selected beside it.
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 2);
    EXPECT_EQ(list.GetSelectedCount(), 1u);
}

TEST_F(ListCtrlTest, AClickSelectsFocusesAndActivates)
{
    MakeReport();
    list.SetExtendedStyle(LVS_EX_ONECLICKACTIVATE);
    list.InsertItem(0, "a");
    list.InsertItem(1, "b");
    list.SetItemText(1, 1, "30");
    parent.log.clear();
    list.UserClick(1, 1);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED | LVNI_FOCUSED), 1);
    EXPECT_EQ(parent.log, Codes({Ntf(179, NM_SETFOCUS), Ntf(179, LVN_ITEMCHANGING), Ntf(179, LVN_ITEMCHANGED),
                                 Ntf(179, NM_CLICK), Ntf(179, LVN_ITEMACTIVATE)}));
    const auto& click = parent.Last<NMITEMACTIVATE>();
    EXPECT_EQ(click.iItem, 1);
    EXPECT_EQ(click.iSubItem, 1);
}

TEST_F(ListCtrlTest, ReportGeometryFollowsHeaderRowsAndScrolling)
{
    const BuiltInGlyphs glyphs; // the expected pixels are reckoned from the built-in glyphs
    MakeReport();
    for (int i = 0; i < 10; ++i)
        list.InsertItem(i, std::to_string(i).c_str());
    const int header = list.GetHeaderHeight();
    const int row = list.GetRowHeight();
    EXPECT_EQ(header, 19);
    EXPECT_EQ(row, 17);
    EXPECT_EQ(list.GetCountPerPage(), (100 - header) / row);
    CRect r;
    ASSERT_TRUE(list.GetSubItemRect(2, 1, LVIR_LABEL, r));
    EXPECT_EQ(r, CRect(120, header + 2 * row, 160, header + 3 * row));
    ASSERT_TRUE(list.GetSubItemRect(2, 0, LVIR_BOUNDS, r));
    EXPECT_EQ(r.right, 160); // sub-item 0 with bounds is the whole row
    LVHITTESTINFO hit;
    hit.pt = CPoint(130, header + row + 1);
    EXPECT_EQ(list.SubItemHitTest(&hit), 1);
    EXPECT_EQ(hit.iSubItem, 1);
    list.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(list.GetTopIndex(), 1);
    EXPECT_EQ(list.SubItemHitTest(&hit), 2);
    list.EnsureVisible(9, FALSE);
    EXPECT_EQ(list.GetTopIndex(), 10 - list.GetCountPerPage());
    list.SendMessage(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(list.GetTopIndex(), 10 - list.GetCountPerPage());
}

class MeasuringList : public CListCtrl {
public:
    void MeasureItem(LPMEASUREITEMSTRUCT mis) override { mis->itemHeight = 23; }
    std::vector<int> drawn;
    void DrawItem(LPDRAWITEMSTRUCT dis) override { drawn.push_back(static_cast<int>(dis->itemID)); }
};

TEST_F(ListCtrlTest, OwnerDrawnRowsAreMeasuredAndDrawnByTheControlWhenTheParentDoesNot)
{
    MeasuringList owner;
    owner.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED, CRect(0, 0, 100, 80), &parent, 5);
    owner.InsertColumn(0, "x", LVCFMT_LEFT, 100);
    owner.InsertItem(0, "a");
    owner.InsertItem(1, "b");
    EXPECT_EQ(owner.GetRowHeight(), 23);
    InstallRasterWindowHost();
    owner.Invalidate();
    owner.UpdateWindow();
    EXPECT_EQ(owner.drawn, (std::vector<int>{0, 1}));
}

TEST_F(ListCtrlTest, LabelEditingKeepsOrDropsTheText)
{
    MakeReport(LVS_EDITLABELS);
    list.InsertItem(0, "Chart_1");
    parent.answerNotify = 1; // accept the new label
    CEdit* edit = list.EditLabel(0);
    // Refused to begin: the parent answered non-zero to LVN_BEGINLABELEDIT.
    EXPECT_EQ(edit, nullptr);
    parent.answerNotify = 0;
    edit = list.EditLabel(0);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(CWnd::GetFocus(), edit);
    edit->SetWindowText("Sales");
    edit->SendMessage(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_EQ(list.GetItemText(0, 0), "Chart_1");
    EXPECT_EQ(parent.LastOf<NMLVDISPINFO>(LVN_ENDLABELEDIT).item.pszText, nullptr);
    edit = list.EditLabel(0);
    edit->SetWindowText("Sales");
    parent.answerNotify = 1;
    list.SetFocus(); // losing the focus keeps the text
    EXPECT_EQ(list.GetItemText(0, 0), "Sales");
    EXPECT_EQ(list.GetEditControl(), nullptr);
}

TEST_F(ListCtrlTest, IconModeUsesTheImageListAndSpacing)
{
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_ICON, CRect(0, 0, 250, 250), &parent, 179));
    CImageList images;
    images.Create(64, 64, ILC_COLOR24 | ILC_MASK, 0, 50);
    CBitmap strip(128, 64, RGB(0, 0, 0));
    strip.SetPixel(70, 5, RGB(255, 0, 0));
    EXPECT_EQ(images.Add(&strip, RGB(0, 0, 0)), 0);
    EXPECT_EQ(images.GetImageCount(), 2);
    EXPECT_TRUE(images.GetImage(1)->IsTransparent(0, 0));
    EXPECT_FALSE(images.GetImage(1)->IsTransparent(6, 5));
    list.SetImageList(&images, LVSIL_NORMAL);
    list.SetIconSpacing(100, 100);
    for (int i = 0; i < 5; ++i)
        list.InsertItem(i, "x", i % 2);
    CRect r;
    list.GetItemRect(3, &r, LVIR_BOUNDS);
    EXPECT_EQ(r, CRect(100, 100, 200, 200));
    EXPECT_EQ(list.HitTest(CPoint(150, 150)), 3);
}

} // namespace

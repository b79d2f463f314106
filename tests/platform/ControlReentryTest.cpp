// Pages react to their controls' notifications by changing the same controls again: a value
// clamped while it is typed, a commit when the focus leaves, a list refilled when a check
// changes. The controls must come out of such nested changes consistent.

#include "ControlFixture.h"

#include "platform/controls/ComboBox.h"
#include "platform/controls/Edit.h"
#include "platform/controls/ListCtrl.h"

namespace {

using ControlReentryTest = ControlTest;

TEST_F(ControlReentryTest, ATextClampedByTheChangeHandlerIsWhatTheEditKeeps)
{
    CEdit size;
    size.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 60, 20), &parent, 20);
    bool clamping = false;
    parent.react = [&](int id, UINT code) {
        if (id != 20 || code != EN_CHANGE || clamping)
            return;
        if (size.GetWindowText().size() > 2) {
            clamping = true; // the handler's own change comes back to it
            size.SetWindowText("99");
            clamping = false;
        }
    };
    size.SetFocus();
    parent.log.clear();
    size.Type("123");
    EXPECT_EQ(size.GetWindowText(), "99");
    EXPECT_FALSE(size.GetModify()) << "the last change was made by code";
    // "1", "12", then "123" is replaced by code, which notifies once more.
    EXPECT_EQ(parent.log,
              Codes({Cmd(20, EN_UPDATE), Cmd(20, EN_CHANGE), Cmd(20, EN_UPDATE), Cmd(20, EN_CHANGE),
                     Cmd(20, EN_UPDATE), Cmd(20, EN_CHANGE), Cmd(20, EN_CHANGE)}));
}

TEST_F(ControlReentryTest, EachControlLosesTheFocusBeforeTheNextOneTakesIt)
{
    CEdit width, height;
    CComboBox preset;
    width.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 60, 20), &parent, 20);
    height.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 30, 60, 50), &parent, 21);
    preset.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST, CRect(0, 60, 60, 160), &parent, 40);
    preset.AddString("160 x 160");
    std::string committed;
    CWnd* focusAtCommit = nullptr;
    parent.react = [&](int id, UINT code) {
        if (id == 20 && code == EN_KILLFOCUS) {
            committed = width.GetWindowText();
            focusAtCommit = CWnd::GetFocus();
        }
    };
    width.SetFocus();
    width.Type("640");
    parent.log.clear();
    height.SetFocus();
    preset.UserSelect(0);
    ui::ClickWindow(width);
    EXPECT_EQ(committed, "640");
    EXPECT_NE(focusAtCommit, &height) << "the next control has not got the focus yet";
    EXPECT_EQ(parent.log, Codes({Cmd(20, EN_KILLFOCUS), Cmd(21, EN_SETFOCUS),  // width to height
                                 Cmd(21, EN_KILLFOCUS), Cmd(40, CBN_SETFOCUS), // height to the list
                                 Cmd(40, CBN_DROPDOWN), Cmd(40, CBN_SELENDOK), Cmd(40, CBN_CLOSEUP),
                                 Cmd(40, CBN_SELCHANGE),                          //
                                 Cmd(40, CBN_KILLFOCUS), Cmd(20, EN_SETFOCUS)})); // back to width
    EXPECT_EQ(CWnd::GetFocus(), &width);
}

TEST_F(ControlReentryTest, ARefillFromAnItemChangeHandlerLeavesAConsistentList)
{
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 200, 100), &parent, 179));
    list.InsertColumn(0, "Check to Hide Component", LVCFMT_LEFT, 195);
    list.SetExtendedStyle(LVS_EX_CHECKBOXES);
    std::vector<std::string> objects{"Chart_1", "Gauge_1", "Slider_1"};
    bool filling = false;
    int refills = 0;
    auto refill = [&] {
        filling = true;
        ++refills;
        list.DeleteAllItems();
        for (std::size_t i = 0; i < objects.size(); ++i) {
            list.InsertItem(static_cast<int>(i), objects[i].c_str());
            list.SetItemData(static_cast<int>(i), i);
        }
        filling = false;
    };
    refill();
    // Hiding an object by its check box renames it and refills the list from inside the
    // notification, as a browser of the document's objects does.
    parent.react = [&](int id, UINT code) {
        if (id != 179 || code != LVN_ITEMCHANGED || filling)
            return;
        const auto& nm = parent.LastOf<NMLISTVIEW>(LVN_ITEMCHANGED);
        if ((nm.uNewState & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2)) {
            objects[static_cast<std::size_t>(nm.lParam)] += " (hidden)";
            refill();
        }
    };
    list.UserToggleCheck(1);
    EXPECT_EQ(refills, 2);
    ASSERT_EQ(list.GetItemCount(), 3);
    EXPECT_EQ(list.GetItemText(1, 0), "Gauge_1 (hidden)");
    EXPECT_FALSE(list.GetCheck(1)) << "the refill starts unchecked";
    EXPECT_EQ(list.GetItemData(2), 2u);

    // A handler that empties the list while an item is being inserted.
    parent.react = [&](int id, UINT code) {
        if (id == 179 && code == LVN_INSERTITEM && !filling)
            list.DeleteAllItems();
    };
    list.InsertItem(0, "Label_1");
    EXPECT_EQ(list.GetItemCount(), 0);
}

} // namespace

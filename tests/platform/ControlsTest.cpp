#include "ControlFixture.h"

#include "platform/controls/Button.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/Edit.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/ProgressCtrl.h"
#include "platform/controls/ScrollBar.h"
#include "platform/controls/SliderCtrl.h"
#include "platform/controls/SpinButtonCtrl.h"
#include "platform/controls/TabCtrl.h"

namespace {

using ButtonTest = ControlTest;

TEST_F(ButtonTest, AutomaticButtonsChangeStateBeforeTheyNotify)
{
    CButton check, r1, r2, r3, other;
    check.Create("Check", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, CRect(0, 0, 80, 20), &parent, 10);
    r1.Create("A", WS_CHILD | WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, CRect(0, 20, 80, 40), &parent, 11);
    r2.Create("B", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, CRect(0, 40, 80, 60), &parent, 12);
    r3.Create("C", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, CRect(0, 60, 80, 80), &parent, 13);
    other.Create("D", WS_CHILD | WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, CRect(0, 80, 80, 100), &parent,
                 14);

    int seenAtNotify = -1;
    check.Click();
    seenAtNotify = check.GetCheck();
    EXPECT_EQ(seenAtNotify, BST_CHECKED);
    other.SetCheck(BST_CHECKED); // code: no notification
    r1.Click();
    r3.Click();
    EXPECT_EQ(r1.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(r3.GetCheck(), BST_CHECKED);
    EXPECT_EQ(other.GetCheck(), BST_CHECKED); // another group
    EXPECT_EQ(parent.log, Codes({Cmd(10, BN_CLICKED), Cmd(11, BN_CLICKED), Cmd(13, BN_CLICKED)}));
}

TEST_F(ButtonTest, AClickNeedsPressAndReleaseInsideAndAnEnabledButton)
{
    CButton push;
    push.Create("OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 90, 30), &parent, 1);
    push.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam({5, 5}));
    push.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, PointToLParam({200, 5}));
    push.SendMessage(WM_LBUTTONUP, 0, PointToLParam({200, 5}));
    EXPECT_TRUE(parent.log.empty());
    push.SendMessage(BM_CLICK);
    push.SendMessage(WM_KEYUP, VK_SPACE);
    push.EnableWindow(FALSE);
    push.Click();
    push.SendMessage(BM_CLICK);
    EXPECT_EQ(parent.log, Codes({Cmd(1, BN_CLICKED), Cmd(1, BN_CLICKED)}));
    // Setting an image answers the one it replaces.
    EXPECT_EQ(push.SetIcon(233), 0);
    EXPECT_EQ(push.SetIcon(234), 233);
}

using EditTest = ControlTest;

TEST_F(EditTest, ChangeNotificationsForUserAndCodeAsThePlatformSendsThem)
{
    CEdit single, multi;
    single.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 100, 20), &parent, 20);
    multi.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN, CRect(0, 30, 100, 90), &parent, 21);
    single.SetWindowText("abc");
    multi.SetWindowText("line");
    EXPECT_EQ(parent.log, Codes({Cmd(20, EN_CHANGE)}));
    parent.log.clear();
    multi.SetSel(4, 4);
    multi.Type("\rx");
    EXPECT_EQ(multi.GetWindowText(), "line\r\nx");
    EXPECT_EQ(multi.GetLineCount(), 2);
    EXPECT_EQ(parent.log,
              Codes({Cmd(21, EN_UPDATE), Cmd(21, EN_CHANGE), Cmd(21, EN_UPDATE), Cmd(21, EN_CHANGE)}));
}

TEST_F(EditTest, TheLimitAppliesToTypingAndPastingOnly)
{
    CEdit edit;
    edit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), &parent, 20);
    edit.LimitText(5);
    edit.SetWindowText("a longer text than five"); // code is not limited
    EXPECT_EQ(edit.GetWindowText(), "a longer text than five");
    edit.SetWindowText("abc");
    edit.SetSel(3, 3);
    edit.Type("de");
    edit.Type("f");
    EXPECT_EQ(edit.GetWindowText(), "abcde");
    EXPECT_EQ(ui::BeepCount(), 1);
    edit.SetSel(1, 3);
    edit.Paste("\xC3\xA9\xC3\xA9\xC3\xA9"); // three characters into a gap of two: one is cut
    EXPECT_EQ(edit.GetWindowText(), "a\xC3\xA9\xC3\xA9"
                                    "de");
    int s = 0, e = 0;
    edit.GetSel(s, e);
    EXPECT_EQ(s, 3);
    edit.SendMessage(WM_CHAR, 0x08);
    EXPECT_EQ(edit.GetWindowText(), "a\xC3\xA9"
                                    "de");
    edit.SendMessage(WM_KEYDOWN, VK_HOME);
    edit.SendMessage(WM_KEYDOWN, VK_DELETE);
    EXPECT_EQ(edit.GetWindowText(), "\xC3\xA9"
                                    "de");
    edit.SetReadOnly(TRUE);
    edit.Type("z");
    EXPECT_EQ(edit.GetWindowText(), "\xC3\xA9"
                                    "de");
}

using ComboTest = ControlTest;

TEST_F(ComboTest, SearchesArePrefixOrExactWithoutCaseAndWrapRound)
{
    CComboBox combo;
    combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 100, 100), &parent, 40);
    for (const char* s : {"Bar Chart", "bar", "Column", "Area", "Bar"})
        combo.AddString(s);
    struct Case {
        int start;
        const char* text;
        int prefix, exact;
    };
    const Case cases[] = {
        {-1, "bar", 0, 1}, {0, "bar", 1, 1},    {1, "BAR", 4, 4},
        {4, "bar", 0, 1},  {-1, "Pie", -1, -1}, {-1, "", 0, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(combo.FindString(c.start, c.text), c.prefix) << c.start << " " << c.text;
        EXPECT_EQ(combo.FindStringExact(c.start, c.text), c.exact) << c.start << " " << c.text;
    }
    combo.SetCurSel(2);
    EXPECT_EQ(combo.SelectString(-1, "pie"), CB_ERR);
    EXPECT_EQ(combo.GetCurSel(), 2); // unchanged after a failed search
    EXPECT_EQ(combo.SelectString(-1, "ar"), 3);
    EXPECT_EQ(combo.GetWindowText(), "Area");
    EXPECT_TRUE(parent.log.empty()); // code never notifies
}

TEST_F(ComboTest, UserChoiceNotifiesInOrderAndItemsKeepTheSelectionRight)
{
    CComboBox combo;
    combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_SORT, CRect(0, 0, 100, 100), &parent, 40);
    combo.AddString("b");
    combo.AddString("d");
    EXPECT_EQ(combo.AddString("C"), 1); // sorted without case
    combo.SetCurSel(2);
    combo.InsertString(0, "a");
    EXPECT_EQ(combo.GetCurSel(), 3);
    combo.DeleteString(0);
    EXPECT_EQ(combo.GetLBText(combo.GetCurSel()), "d");
    combo.DeleteString(2);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(combo.GetWindowText(), "");
    combo.SetItemData(1, 77);
    combo.UserSelect(1);
    EXPECT_EQ(combo.GetItemData(combo.GetCurSel()), 77u);
    EXPECT_EQ(parent.log, Codes({Cmd(40, CBN_SETFOCUS), Cmd(40, CBN_DROPDOWN), Cmd(40, CBN_SELENDOK),
                                 Cmd(40, CBN_CLOSEUP), Cmd(40, CBN_SELCHANGE)}));
}

using ListBoxTest = ControlTest;

TEST_F(ListBoxTest, NotifiesOnlyWithTheNotifyStyle)
{
    CListBox quiet, loud;
    quiet.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &parent, 50);
    loud.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY | LBS_MULTIPLESEL, CRect(100, 0, 200, 100), &parent, 51);
    for (CListBox* l : {&quiet, &loud}) {
        l->AddString("one");
        l->AddString("two");
    }
    quiet.UserSelect(1);
    EXPECT_EQ(quiet.GetCurSel(), 1);
    loud.UserSelect(0);
    loud.UserSelect(1);
    EXPECT_EQ(loud.GetSelCount(), 2);
    EXPECT_EQ(loud.SetCurSel(0), LB_ERR); // multiple selection has no single current item
    EXPECT_EQ(quiet.FindStringExact(1, "ONE"), 0);
    EXPECT_EQ(parent.log, Codes({Cmd(51, LBN_SETFOCUS), Cmd(51, LBN_SELCHANGE), Cmd(51, LBN_SELCHANGE)}));
}

using RangeControlTest = ControlTest;

TEST_F(RangeControlTest, SliderDragAndKeysReportTrackingThenTheEnd)
{
    CSliderCtrl slider;
    slider.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 30), &parent, 60);
    slider.SetRange(0, 10);
    slider.SetPos(50); // clamped, silent
    EXPECT_EQ(slider.GetPos(), 10);
    slider.UserDrag({3, 4});
    slider.UserStep(SB_LINEDOWN);
    EXPECT_EQ(slider.GetPos(), 5);
    EXPECT_EQ(parent.log, Codes({"60:H:5:3", "60:H:5:4", "60:H:4:4", "60:H:8:0", "60:H:1:5", "60:H:8:0"}));
}

TEST_F(RangeControlTest, UpDownStartsReversedAndWritesItsBuddy)
{
    CEdit buddy;
    CSpinButtonCtrl spin;
    buddy.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), &parent, 70);
    spin.Create(WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT, CRect(50, 0, 66, 20), &parent, 71);
    spin.SetBuddy(&buddy);
    int lower = 0, upper = 0;
    spin.GetRange(lower, upper);
    EXPECT_EQ(lower, 100);
    EXPECT_EQ(upper, 0);
    spin.SetPos(50);
    parent.log.clear();
    spin.UserClickUp(); // towards the upper end, which is 0 here
    EXPECT_EQ(spin.GetPos(), 49);
    EXPECT_EQ(buddy.GetWindowText(), "49");
    EXPECT_EQ(parent.log, Codes({Ntf(71, UDN_DELTAPOS), Cmd(70, EN_CHANGE), "71:V:4:49", "71:V:8:49"}));
    spin.SetRange32(0, 10);
    buddy.SetWindowText("10");
    parent.log.clear();
    spin.UserClickUp();
    EXPECT_EQ(spin.GetPos(), 10); // clamped at the end
    parent.answerNotify = 1;      // the parent refuses the step
    spin.UserClickDown();
    EXPECT_EQ(spin.GetPos(), 10);
    EXPECT_EQ(parent.log.back(), Ntf(71, UDN_DELTAPOS));
}

TEST_F(RangeControlTest, ScrollBarsProgressBarsAndTabs)
{
    CScrollBar bar;
    bar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(0, 0, 16, 100), &parent, 80);
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    si.nMin = 0;
    si.nMax = 99;
    si.nPage = 10;
    si.nPos = 200;
    bar.SetScrollInfo(&si);
    EXPECT_EQ(bar.GetScrollPos(), 90); // the last page start
    bar.UserScroll(SB_LINEDOWN);
    EXPECT_EQ(bar.GetScrollPos(), 90); // the parent decides

    CProgressCtrl progress;
    progress.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 10), &parent, 81);
    progress.SetRange32(0, 10);
    progress.SetStep(4);
    progress.StepIt();
    progress.StepIt();
    EXPECT_EQ(progress.StepIt(), 8);
    EXPECT_EQ(progress.GetPos(), 2); // past the end it starts over
    progress.SetPos(-5);
    EXPECT_EQ(progress.GetPos(), 0);

    CTabCtrl tabs;
    tabs.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &parent, 82);
    tabs.InsertItem(0, "General");
    tabs.InsertItem(1, "Behavior");
    EXPECT_EQ(tabs.GetCurSel(), 0);
    tabs.SetCurSel(1);
    tabs.UserSelect(0);
    parent.answerNotify = 1;
    tabs.UserSelect(1); // refused by TCN_SELCHANGING
    EXPECT_EQ(tabs.GetCurSel(), 0);
    CRect area(0, 0, 300, 200);
    tabs.AdjustRect(FALSE, &area);
    EXPECT_EQ(area, CRect(2, tabs.GetRowHeight() + 2, 298, 198));
    EXPECT_EQ(parent.log, Codes({"80:V:1:0", "80:V:8:0", Ntf(82, TCN_SELCHANGING), Ntf(82, TCN_SELCHANGE),
                                 Ntf(82, TCN_SELCHANGING)}));
}

} // namespace

#include "ControlFixture.h"

#include "platform/controls/Button.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/Edit.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/ScrollBar.h"
#include "platform/controls/SliderCtrl.h"
#include "platform/controls/TabCtrl.h"
#include "platform/dialogs/DialogTemplate.h"
#include "platform/docview/Menu.h"
#include "platform/window/UserInput.h"

// Which control a click reaches when rectangles overlap, and what the controls do with the
// pointer and the keys once they have them.

using PointerTargetTest = ControlTest;

TEST_F(PointerTargetTest, AGroupBoxFirstInTheZOrderLetsClicksThroughToItsControls)
{
    CButton group;
    CEdit inside;
    ASSERT_TRUE(group.Create("Spacing", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(10, 10, 210, 110), &parent, 60));
    ASSERT_TRUE(inside.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(20, 30, 120, 50), &parent, 61));
    EXPECT_EQ(parent.ChildFromPoint(CPoint(30, 40)), &inside);
    // Where nothing lies inside it, the click goes to the window under the box.
    EXPECT_EQ(parent.ChildFromPoint(CPoint(150, 90)), &parent);
    CUserInput::Click(parent, CPoint(30, 40));
    EXPECT_EQ(CWnd::GetFocus(), &inside);
}

// A press queued for a button whose window a modal window disables before the press is taken
// (a busy machine) is dropped, as input to a disabled window is: the button does not keep the
// pointer, and the clicks after it reach what they point at.
TEST_F(PointerTargetTest, APressTakenAfterItsWindowWasDisabledIsDropped)
{
    CButton pick;
    ASSERT_TRUE(pick.Create("...", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 40, 30), &parent, 65));
    ASSERT_EQ(CUserInput::PostPointer(parent, CPoint(20, 20), WM_LBUTTONDOWN), &pick);
    parent.EnableWindow(FALSE);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessage(&msg);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    parent.EnableWindow(TRUE);
    CUserInput::Click(parent, CPoint(20, 20));
    EXPECT_EQ(parent.log, std::vector<std::string>{"65:0"});
}

TEST_F(PointerTargetTest, AClosedDropDownTakesClicksOnItsFieldOnly)
{
    CComboBox combo;
    CListBox below;
    // As templates make them: the drop-down's rectangle reaches over the list under it.
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 10, 160, 150), &parent, 62));
    ASSERT_TRUE(below.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY, CRect(10, 40, 160, 140), &parent, 63));
    for (const char* s : {"Charts", "Maps"}) {
        combo.AddString(s);
        below.AddString(s);
    }
    EXPECT_EQ(parent.ChildFromPoint(CPoint(50, 15)), &combo);
    EXPECT_EQ(parent.ChildFromPoint(CPoint(50, 60)), &below);
    EXPECT_EQ(parent.ChildFromPoint(CPoint(50, 145)), &parent);
}

TEST_F(PointerTargetTest, ADropDownOpensUnderThePointerAndTellsItsChoiceInOrder)
{
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 10, 160, 150), &parent, 64));
    for (const char* s : {"Charts", "Maps", "Selectors"})
        combo.AddString(s);
    std::vector<std::string> shown;
    CPoint where;
    bool droppedWhileOpen = false;
    SetPopupMenuHook([&](CMenu& menu, CPoint at, CWnd*) {
        for (int i = 0; i < menu.GetMenuItemCount(); ++i) {
            shown.push_back(menu.GetMenuString(static_cast<UINT>(i), MF_BYPOSITION));
        }
        where = at;
        droppedWhileOpen = combo.GetDroppedState() != FALSE;
        return menu.GetMenuItemID(2);
    });
    CUserInput::Click(parent, CPoint(40, 15));
    ResetPopupMenuHook();
    EXPECT_EQ(shown, (std::vector<std::string>{"Charts", "Maps", "Selectors"}));
    EXPECT_TRUE(droppedWhileOpen);
    CPoint fieldBottom(0, 0);
    combo.ClientToScreen(&fieldBottom);
    EXPECT_EQ(where.x, fieldBottom.x);
    EXPECT_GT(where.y, fieldBottom.y);
    EXPECT_LT(where.y, fieldBottom.y + 40) << "the list opens under the field, not under the whole rectangle";
    EXPECT_EQ(combo.GetCurSel(), 2);
    EXPECT_FALSE(combo.GetDroppedState());
    EXPECT_EQ(parent.log, Codes({Cmd(64, CBN_SETFOCUS), Cmd(64, CBN_DROPDOWN), Cmd(64, CBN_SELENDOK),
                                 Cmd(64, CBN_CLOSEUP), Cmd(64, CBN_SELCHANGE)}));

    // Dismissed without a choice: the selection stays and the owner hears the cancel.
    parent.log.clear();
    SetPopupMenuHook([](CMenu&, CPoint, CWnd*) { return 0u; });
    CUserInput::Click(parent, CPoint(40, 15));
    ResetPopupMenuHook();
    EXPECT_EQ(combo.GetCurSel(), 2);
    EXPECT_EQ(parent.log, Codes({Cmd(64, CBN_DROPDOWN), Cmd(64, CBN_SELENDCANCEL), Cmd(64, CBN_CLOSEUP)}));
}

TEST_F(PointerTargetTest, ArrowKeysOnAClosedDropDownEndTheChoiceAsTheListWould)
{
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 10, 160, 150), &parent, 65));
    for (const char* s : {"Charts", "Maps"})
        combo.AddString(s);
    combo.SetCurSel(0);
    combo.SetFocus();
    parent.log.clear();
    CUserInput::PressKey(VK_DOWN);
    CUserInput::PressKey(VK_DOWN); // already at the end: nothing
    CUserInput::PressKey(VK_UP);
    EXPECT_EQ(combo.GetCurSel(), 0);
    EXPECT_EQ(parent.log, Codes({Cmd(65, CBN_SELENDOK), Cmd(65, CBN_SELCHANGE), Cmd(65, CBN_SELENDOK),
                                 Cmd(65, CBN_SELCHANGE)}));
}

TEST_F(PointerTargetTest, AListBoxSelectsByClickDoubleClickAndKeys)
{
    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY, CRect(10, 10, 160, 70), &parent, 66));
    for (const char* s : {"Blank", "Quarterly", "Regional", "Budget", "Forecast", "Targets", "Costs", "Staff"})
        list.AddString(s);
    const int row = list.GetItemHeight(0);
    ASSERT_GT(row, 0);
    CUserInput::Click(parent, CPoint(40, 10 + 2 + row + row / 2));
    EXPECT_EQ(list.GetCurSel(), 1);
    CUserInput::PressKey(VK_DOWN);
    EXPECT_EQ(list.GetCurSel(), 2);
    CUserInput::PressKey(VK_END);
    EXPECT_EQ(list.GetCurSel(), 7);
    EXPECT_GT(list.GetTopIndex(), 0) << "the current item is scrolled into view";
    CUserInput::PressKey(VK_HOME);
    EXPECT_EQ(list.GetCurSel(), 0);
    EXPECT_EQ(list.GetTopIndex(), 0);
    parent.log.clear();
    CUserInput::DoubleClick(parent, CPoint(40, 10 + 2 + row / 2));
    ASSERT_FALSE(parent.log.empty());
    EXPECT_EQ(parent.log.back(), Cmd(66, LBN_DBLCLK));
    EXPECT_EQ(list.GetCurSel(), 0);
}

TEST_F(PointerTargetTest, AClickBelowTheLastItemChoosesNothing)
{
    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY, CRect(10, 10, 160, 150), &parent, 67));
    list.AddString("Only");
    CUserInput::Click(parent, CPoint(40, 120));
    EXPECT_EQ(list.GetCurSel(), LB_ERR);
    EXPECT_EQ(CWnd::GetFocus(), &list);
}

TEST_F(PointerTargetTest, APopUpDialogNotPlacedByItsInitialisationOpensCentredOverItsOwner)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, "Owner", "owner", WS_POPUP | WS_VISIBLE, CRect(100, 100, 900, 700), nullptr, 0));
    DialogTemplate t;
    t.id = 4700;
    t.caption = "Grid";
    t.style = WS_POPUP | WS_CAPTION | DS_SETFONT;
    t.cx = 100;
    t.cy = 60;
    CDialog dlg;
    ASSERT_TRUE(dlg.CreateIndirect(t, &owner));
    CRect r;
    dlg.GetWindowRect(&r);
    EXPECT_EQ(r.CenterPoint().x, 500);
    EXPECT_NEAR(r.CenterPoint().y, 400, 1);
    // An absolute template position is kept.
    t.style |= DS_ABSALIGN;
    t.x = 10;
    t.y = 10;
    CDialog placed;
    ASSERT_TRUE(placed.CreateIndirect(t, &owner));
    placed.GetWindowRect(&r);
    EXPECT_LT(r.left, 300);
}

TEST_F(PointerTargetTest, ASliderThumbFollowsThePointerAndAPressBesideItPages)
{
    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 216, 30), &parent, 68));
    slider.SetRange(0, 100);
    // The channel runs from 8 to 208: the thumb stands at 8 + 2 * pos.
    CUserInput::Drag(parent, CPoint(8, 15), CPoint(158, 15), 5);
    EXPECT_EQ(slider.GetPos(), 75);
    ASSERT_GE(parent.log.size(), 3u);
    EXPECT_EQ(parent.log[parent.log.size() - 3], "68:H:5:75"); // the last move tracks
    EXPECT_EQ(parent.log[parent.log.size() - 2], "68:H:4:75"); // the release sets it
    EXPECT_EQ(parent.log.back(), "68:H:8:0");
    parent.log.clear();
    CUserInput::Click(parent, CPoint(20, 15));
    EXPECT_EQ(slider.GetPos(), 55);
    EXPECT_EQ(parent.log, (std::vector<std::string>{"68:H:2:55", "68:H:8:0"}));
}

TEST_F(PointerTargetTest, AScrollBarAsksItsOwnerForLinesPagesAndTheDraggedThumb)
{
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | SBS_HORZ, CRect(0, 0, 220, 20), &parent, 69));
    bar.SetScrollRange(0, 10);
    CUserInput::Click(parent, CPoint(210, 10)); // the right arrow
    CUserInput::Click(parent, CPoint(5, 10));   // the left arrow
    CUserInput::Click(parent, CPoint(150, 10)); // the track right of the thumb
    EXPECT_EQ(parent.log, (std::vector<std::string>{"69:H:1:0", "69:H:8:0", "69:H:0:0", "69:H:8:0", "69:H:3:0",
                                                    "69:H:8:0"}));
    parent.log.clear();
    // The thumb (20 wide at 20..40) dragged to the middle of the 160-pixel room.
    CUserInput::Drag(parent, CPoint(30, 10), CPoint(110, 10), 4);
    ASSERT_FALSE(parent.log.empty());
    EXPECT_EQ(parent.log[parent.log.size() - 3], "69:H:5:5");
    EXPECT_EQ(parent.log[parent.log.size() - 2], "69:H:4:5");
    EXPECT_EQ(parent.log.back(), "69:H:8:0");
}

// A bar shorter than two arrows (as beside a dialog's number box) is two step buttons, each
// half of it.
TEST_F(PointerTargetTest, AShortScrollBarIsTwoStepButtons)
{
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(0, 0, 17, 23), &parent, 72));
    bar.SetScrollRange(1, 1630);
    bar.SetScrollPos(640);
    CUserInput::Click(parent, CPoint(8, 9));  // the upper half
    CUserInput::Click(parent, CPoint(8, 14)); // the lower half
    EXPECT_EQ(parent.log, (std::vector<std::string>{"72:V:0:0", "72:V:8:0", "72:V:1:0", "72:V:8:0"}));
}

TEST_F(PointerTargetTest, AQuickSecondClickOnAScrollBarArrowStepsAgain)
{
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | SBS_HORZ, CRect(0, 0, 220, 20), &parent, 70));
    bar.SetScrollRange(0, 10);
    CUserInput::DoubleClick(parent, CPoint(210, 10));
    EXPECT_EQ(std::count(parent.log.begin(), parent.log.end(), "70:H:1:0"), 2);
}

TEST_F(PointerTargetTest, ControlAOrADoubleClickTakesAnEditsWholeText)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 160, 34), &parent, 71));
    edit.SetWindowText("Sales by region");
    edit.SetFocus();
    edit.SetSel(3, 3);
    CUserInput::PressKey('A', CUserInput::Control);
    CUserInput::TypeText("Units");
    EXPECT_EQ(edit.GetWindowText(), "Units");
    CUserInput::DoubleClick(parent, CPoint(40, 20));
    CUserInput::TypeText("30");
    EXPECT_EQ(edit.GetWindowText(), "30");
    // A third click right after keeps it whole.
    CUserInput::DoubleClick(parent, CPoint(40, 20));
    CUserInput::Click(parent, CPoint(40, 20));
    CUserInput::TypeText("45");
    EXPECT_EQ(edit.GetWindowText(), "45");
}

TEST_F(PointerTargetTest, TabsMadeBeforeThePagesTakeClicksOnTheirRowOnly)
{
    CTabCtrl tabs;
    CEdit onPage;
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &parent, 72));
    tabs.InsertItem(0, "General");
    ASSERT_TRUE(onPage.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(20, 60, 200, 84), &parent, 73));
    EXPECT_EQ(parent.ChildFromPoint(CPoint(30, 8)), &tabs);
    EXPECT_EQ(parent.ChildFromPoint(CPoint(30, 70)), &onPage);
}

#include "PersonFixture.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/controls/Button.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/ControlMessages.h"
#include "platform/controls/Edit.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/ListCtrl.h"
#include "platform/controls/ScrollBar.h"
#include "platform/controls/SliderCtrl.h"
#include "platform/controls/SpinEdit.h"
#include "platform/controls/TabCtrl.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/docview/Frame.h"

namespace {

enum : UINT {
    IDD_CONTROLS = 4300,
    IDC_GROUP = 4301,
    IDC_SPACING = 4302,
    IDC_SNAP = 4303,
    IDC_LINES = 4304,
    IDC_DOTS = 4305,
    IDC_STEP = 4306,
    IDC_KIND = 4307,
    IDC_CHOICES = 4308,
    IDC_COUNT = 4309,
    IDC_LEVEL = 4310,
    IDC_OFFSET = 4311,
    IDC_PAGES = 4312,
    IDC_ITEMS = 4313,
    IDC_WARN = 4314,
};

// A settings dialog laid out the way the program's own are: a group box made first (so first
// in the z-order) with an edit, a spin edit, a check box and two radio buttons inside it; a
// drop-down list whose opened height reaches over the list box below it; a button, a slider,
// a scroll bar, tabs and a list control; OK and Cancel.
class ControlsDialog : public CDialog {
public:
    explicit ControlsDialog(CWnd* parent) : CDialog(IDD_CONTROLS, parent) {}

    static DialogTemplate Template()
    {
        constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
        DialogTemplate t;
        t.id = IDD_CONTROLS;
        t.caption = "Grid and choices";
        t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT | DS_MODALFRAME;
        t.cx = 300;
        t.cy = 200;
        t.Add("Button", "Spacing", IDC_GROUP, 7, 7, 140, 86, kChild | BS_GROUPBOX)
            .Add("Edit", "", IDC_SPACING, 14, 20, 60, 14, kChild | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL)
            .Add(CSpinEdit::kClassName, "", IDC_STEP, 80, 20, 60, 14, kChild | WS_TABSTOP)
            .Add("Button", "Snap to grid", IDC_SNAP, 14, 40, 120, 12, kChild | WS_TABSTOP | BS_AUTOCHECKBOX)
            .Add("Button", "Lines", IDC_LINES, 14, 56, 60, 12, kChild | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON)
            .Add("Button", "Dots", IDC_DOTS, 14, 72, 60, 12, kChild | BS_AUTORADIOBUTTON)
            .Add("ComboBox", "", IDC_KIND, 154, 7, 140, 90, kChild | WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL)
            .Add("ListBox", "", IDC_CHOICES, 154, 26, 140, 60, kChild | WS_TABSTOP | WS_BORDER | LBS_NOTIFY)
            .Add("Button", "Count", IDC_COUNT, 7, 100, 50, 14, kChild | WS_TABSTOP)
            .Add("Button", "Warn", IDC_WARN, 62, 100, 50, 14, kChild | WS_TABSTOP)
            .Add("msctls_trackbar32", "", IDC_LEVEL, 154, 92, 140, 18, kChild | WS_TABSTOP)
            .Add("ScrollBar", "", IDC_OFFSET, 7, 120, 140, 10, kChild | SBS_HORZ)
            .Add("SysTabControl32", "", IDC_PAGES, 154, 114, 140, 20, kChild | WS_TABSTOP)
            .Add("SysListView32", "", IDC_ITEMS, 7, 136, 140, 56,
                 kChild | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_EDITLABELS)
            .Add("Button", "OK", IDOK, 190, 178, 50, 14, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON)
            .Add("Button", "Cancel", IDCANCEL, 244, 178, 50, 14, kChild | WS_TABSTOP);
        return t;
    }

    template <class T> T& Item(UINT id) { return *dynamic_cast<T*>(GetDlgItem(static_cast<int>(id))); }

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        CComboBox& kind = Item<CComboBox>(IDC_KIND);
        for (const char* k : {"Charts", "Single Value", "Selectors", "Maps"})
            kind.AddString(k);
        kind.SetCurSel(0);
        CListBox& choices = Item<CListBox>(IDC_CHOICES);
        for (const char* c : {"Blank", "Quarterly sales", "Regional map", "Budget"})
            choices.AddString(c);
        Item<CSpinEdit>(IDC_STEP).BindInt(&step, nullptr, 1, 50, 1, false);
        Item<CSliderCtrl>(IDC_LEVEL).SetRange(0, 100);
        Item<CScrollBar>(IDC_OFFSET).SetScrollRange(0, 20);
        CTabCtrl& pages = Item<CTabCtrl>(IDC_PAGES);
        pages.InsertItem(0, "General");
        pages.InsertItem(1, "Behavior");
        CListCtrl& items = Item<CListCtrl>(IDC_ITEMS);
        items.InsertColumn(0, "Component", LVCFMT_LEFT, 180);
        for (const char* n : {"Slider 1", "Gauge 1", "Label 1"})
            items.InsertItem(items.GetItemCount(), n);
        return TRUE;
    }

    void OnCount() { ++counted; }
    void OnWarn()
    {
        ShowMessageBox(this, "The spacing must be a number from 1 to 50.", "Vantorel", MB_OK | MB_ICONEXCLAMATION);
        GetDlgItem(IDC_SPACING)->SetFocus();
        ++warned;
    }
    void OnKindChosen() { kindsChosen.push_back(Item<CComboBox>(IDC_KIND).GetCurSel()); }
    void OnChoice() { ++choiceChanges; }
    void OnChoiceOpened() { ++choicesOpened; }
    void OnPage(NMHDR*, LRESULT*) { ++pageChanges; }
    void OnLabelEdited(NMHDR*, LRESULT* result) { *result = TRUE; }
    void OnScroll(UINT code, UINT, CWnd* from)
    {
        if (from == GetDlgItem(IDC_OFFSET)) {
            CScrollBar& bar = Item<CScrollBar>(IDC_OFFSET);
            int pos = bar.GetScrollPos();
            if (code == SB_LINERIGHT)
                ++pos;
            else if (code == SB_LINELEFT)
                --pos;
            else if (code == SB_PAGERIGHT)
                pos += 5;
            else if (code == SB_PAGELEFT)
                pos -= 5;
            bar.SetScrollPos(std::clamp(pos, 0, 20));
        } else {
            ++sliderMoves;
        }
    }

    int step = 5;
    int counted = 0;
    int warned = 0;
    std::vector<int> kindsChosen;
    int choiceChanges = 0;
    int choicesOpened = 0;
    int pageChanges = 0;
    int sliderMoves = 0;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ControlsDialog, CDialog)
    .Command(IDC_COUNT, &ControlsDialog::OnCount)
    .Command(IDC_WARN, &ControlsDialog::OnWarn)
    .Control(CBN_SELENDOK, IDC_KIND, &ControlsDialog::OnKindChosen)
    .Control(LBN_SELCHANGE, IDC_CHOICES, &ControlsDialog::OnChoice)
    .Control(LBN_DBLCLK, IDC_CHOICES, &ControlsDialog::OnChoiceOpened)
    .Notify(TCN_SELCHANGE, IDC_PAGES, &ControlsDialog::OnPage)
    .Notify(LVN_ENDLABELEDIT, IDC_ITEMS, &ControlsDialog::OnLabelEdited)
    .OnHScroll(&ControlsDialog::OnScroll)
END_MESSAGE_MAP()

class ControlsByHandTest : public PersonTest {
protected:
    void SetUp() override
    {
        PersonTest::SetUp();
        CSpinEdit::RegisterClass();
        GetDialogTemplates().Add(ControlsDialog::Template());
        ASSERT_TRUE(owner.Create(nullptr, "Vantorel", WS_OVERLAPPEDWINDOW, CRect(60, 60, 860, 660)));
        owner.ShowWindow(SW_SHOW);
        gtkscreen::Flush();
    }

    // Runs the dialog modally while the person works in it; the dialog's answer.
    INT_PTR Run(ControlsDialog& dlg, std::function<void(ScreenUser&)> script)
    {
        PersonAtScreen person([&dlg, script](ScreenUser& user) {
            [&] {
                PERSON_READY(user, dlg);
                script(user);
            }();
            // A script that stopped short leaves nothing open: a pop-up list or a box, then the
            // dialog itself.
            const bool closed = user.WaitFor(
                [&] { return !::IsWindow(dlg.GetSafeHwnd()) || !dlg.IsWindowVisible(); }, 1000);
            if (!closed) {
                user.Keys("Escape");
                user.Keys("Escape");
                user.OnUi([&] {
                    if (::IsWindow(dlg.GetSafeHwnd()))
                        dlg.EndDialog(IDABORT);
                });
            }
        });
        const INT_PTR answer = dlg.DoModal();
        EXPECT_TRUE(person.Finish(30000)) << "the person's script did not end";
        return answer;
    }
    // A point of a control, as a fraction of its width and height.
    static CPoint At(ScreenUser& user, CWnd& wnd, double fx = 0.5, double fy = 0.5)
    {
        const CRect r = user.RectOf(wnd);
        return CPoint(r.left + static_cast<int>(r.Width() * fx), r.top + static_cast<int>(r.Height() * fy));
    }

    CFrameWnd owner;
};

TEST_F(ControlsByHandTest, ControlsInsideAGroupBoxTakeClicksAndTyping)
{
    ControlsDialog dlg(&owner);
    const INT_PTR answer = Run(dlg, [&](ScreenUser& user) {
        CEdit& spacing = dlg.Item<CEdit>(IDC_SPACING);
        user.Click(At(user, spacing));
        ASSERT_TRUE(user.WaitFor([&] { return CWnd::GetFocus() == &spacing; })) << "the edit took no focus";
        user.Type("12");
        ASSERT_TRUE(user.WaitFor([&] { return spacing.GetWindowText() == "12"; }));

        CButton& snap = dlg.Item<CButton>(IDC_SNAP);
        user.Click(At(user, snap, 0.1));
        EXPECT_TRUE(user.WaitFor([&] { return snap.GetCheck() == BST_CHECKED; })) << "the check box is not ticked";

        CButton& dots = dlg.Item<CButton>(IDC_DOTS);
        user.Click(At(user, dots, 0.1));
        EXPECT_TRUE(user.WaitFor([&] { return dots.GetCheck() == BST_CHECKED; })) << "the radio button is not set";
        EXPECT_EQ(dlg.Item<CButton>(IDC_LINES).GetCheck(), BST_UNCHECKED);
        ShotOf(user, dlg, "group-box-controls");
        // Return presses the default button.
        user.Keys("Return");
    });
    EXPECT_EQ(answer, IDOK);
}

TEST_F(ControlsByHandTest, SpinEditStepsWithItsArrows)
{
    ControlsDialog dlg(&owner);
    Run(dlg, [&](ScreenUser& user) {
        CSpinEdit& step = dlg.Item<CSpinEdit>(IDC_STEP);
        const CRect r = user.RectOf(step);
        // The upper arrow at the right end.
        user.QuickClick(CPoint(r.right - CSpinEdit::kArrowWidth / 2, r.top + r.Height() / 4));
        EXPECT_TRUE(user.WaitFor([&] { return dlg.step == 6; })) << "the up arrow did not step";
        user.QuickClick(CPoint(r.right - CSpinEdit::kArrowWidth / 2, r.bottom - r.Height() / 4));
        EXPECT_TRUE(user.WaitFor([&] { return dlg.step == 5; })) << "the down arrow did not step";
        user.QuickClick(CPoint(r.right - CSpinEdit::kArrowWidth / 2, r.bottom - r.Height() / 4));
        EXPECT_TRUE(user.WaitFor([&] { return dlg.step == 4; })) << "the down arrow did not step again";
        ShotOf(user, dlg, "spin-edit");
        user.Keys("Escape");
    });
}

// After the arrows were clicked, the value once ran on to a limit (1 or 50) while the person
// typed: an arrow whose release went elsewhere kept repeating.
TEST_F(ControlsByHandTest, SpinEditTakesATypedNumberAfterItsArrows)
{
    ControlsDialog dlg(&owner);
    Run(dlg, [&](ScreenUser& user) {
        CSpinEdit& step = dlg.Item<CSpinEdit>(IDC_STEP);
        const CRect r = user.RectOf(step);
        user.QuickClick(CPoint(r.right - CSpinEdit::kArrowWidth / 2, r.top + r.Height() / 4));
        EXPECT_TRUE(user.WaitFor([&] { return dlg.step == 6; }));
        // Typed into its edit part and committed with Return.
        user.Click(CPoint(r.left + 10, r.CenterPoint().y));
        user.Keys("End");
        user.Keys("BackSpace");
        user.Type("30\n");
        EXPECT_TRUE(user.WaitFor([&] { return dlg.step == 30; })) << "the typed number was not taken: " << dlg.step;
        user.Keys("Escape");
    });
}

TEST_F(ControlsByHandTest, DropDownOpensWithTheMouseAndItsListChooses)
{
    ControlsDialog dlg(&owner);
    Run(dlg, [&](ScreenUser& user) {
        CComboBox& kind = dlg.Item<CComboBox>(IDC_KIND);
        const CRect r = user.RectOf(kind);
        const CPoint field(r.CenterPoint().x, r.top + 8);
        user.Click(field);
        ASSERT_TRUE(user.WaitFor([&] { return kind.GetDroppedState() != FALSE; })) << "the list did not open";
        // The list stays open after a normal click: the person looks, then chooses.
        user.Settle();
        EXPECT_TRUE(user.WaitForPopupMenu()) << "no pop-up shows";
        Shot(user, "drop-down-open");
        EXPECT_TRUE(user.WaitFor([&] { return kind.GetDroppedState() != FALSE; }, 300));
        user.Keys("Down");
        user.Keys("Down");
        user.Keys("Down");
        user.Keys("Return");
        ASSERT_TRUE(user.WaitFor([&] { return kind.GetDroppedState() == FALSE; })) << "the list did not close";
        EXPECT_EQ(kind.GetCurSel(), 2);
        EXPECT_EQ(kind.GetWindowText(), "Selectors");
        EXPECT_EQ(dlg.kindsChosen, std::vector<int>{2});
        ShotOf(user, dlg, "drop-down-chosen");
        user.Keys("Escape");
    });
}

TEST_F(ControlsByHandTest, ArrowKeysOnAClosedDropDownChooseAndTellTheOwner)
{
    ControlsDialog dlg(&owner);
    Run(dlg, [&](ScreenUser& user) {
        CComboBox& kind = dlg.Item<CComboBox>(IDC_KIND);
        user.OnUi([&] { kind.SetFocus(); });
        user.Keys("Down");
        user.Keys("Down");
        EXPECT_TRUE(user.WaitFor([&] { return kind.GetCurSel() == 2; }));
        user.Keys("Up");
        EXPECT_TRUE(user.WaitFor([&] { return dlg.kindsChosen == std::vector<int>{1, 2, 1}; }))
            << "every choice made with the keys reaches the owner";
        EXPECT_FALSE(kind.GetDroppedState());
        user.Keys("Escape");
    });
}

TEST_F(ControlsByHandTest, ListBoxUnderAnOpenedDropDownsAreaTakesMouseAndKeys)
{
    ControlsDialog dlg(&owner);
    Run(dlg, [&](ScreenUser& user) {
        CListBox& choices = dlg.Item<CListBox>(IDC_CHOICES);
        CComboBox& kind = dlg.Item<CComboBox>(IDC_KIND);
        const CRect combo = user.RectOf(kind);
        const CRect list = user.RectOf(choices);
        ASSERT_LT(list.top, combo.bottom) << "the layout no longer puts the list under the drop-down's area";
        int row = 0;
        user.OnUi([&] { row = choices.GetItemHeight(0); });
        // The second item lies under the drop-down's opened area.
        user.Click(CPoint(list.left + 20, list.top + 2 + row + row / 2));
        ASSERT_TRUE(user.WaitFor([&] { return choices.GetCurSel() == 1; })) << "the click chose nothing";
        EXPECT_FALSE(kind.GetDroppedState());
        user.Keys("Down");
        EXPECT_TRUE(user.WaitFor([&] { return choices.GetCurSel() == 2; })) << "Down did not move the selection";
        user.Keys("End");
        EXPECT_TRUE(user.WaitFor([&] { return choices.GetCurSel() == 3; }));
        EXPECT_TRUE(user.WaitFor([&] { return dlg.choiceChanges == 3; }));
        user.DoubleClick(CPoint(list.left + 20, list.top + 2 + row / 2));
        EXPECT_TRUE(user.WaitFor([&] { return dlg.choicesOpened == 1 && choices.GetCurSel() == 0; }))
            << "a double click did not open the item";
        ShotOf(user, dlg, "list-box");
        user.Keys("Escape");
    });
}

TEST_F(ControlsByHandTest, ButtonsRunOnClickAndOnSpace)
{
    ControlsDialog dlg(&owner);
    Run(dlg, [&](ScreenUser& user) {
        CButton& count = dlg.Item<CButton>(IDC_COUNT);
        user.Click(At(user, count));
        EXPECT_TRUE(user.WaitFor([&] { return dlg.counted == 1; }));
        user.Keys("space");
        EXPECT_TRUE(user.WaitFor([&] { return dlg.counted == 2; })) << "Space on the focused button";
        // A press that leaves the button before the release runs nothing.
        user.MoveTo(At(user, count));
        user.Press();
        user.MoveTo(At(user, count, 0.5, 3.0));
        user.Release();
        user.Settle();
        EXPECT_EQ(dlg.counted, 2);
        user.Click(At(user, dlg.Item<CButton>(IDCANCEL)));
    });
}

TEST_F(ControlsByHandTest, SliderScrollBarAndTabsFollowThePointer)
{
    ControlsDialog dlg(&owner);
    Run(dlg, [&](ScreenUser& user) {
        CSliderCtrl& level = dlg.Item<CSliderCtrl>(IDC_LEVEL);
        const CRect s = user.RectOf(level);
        // The thumb starts at the left end; dragged to about three quarters.
        user.Drag(CPoint(s.left + 8, s.CenterPoint().y), CPoint(s.left + s.Width() * 3 / 4, s.CenterPoint().y));
        EXPECT_TRUE(user.WaitFor([&] { return level.GetPos() >= 55 && level.GetPos() <= 90; }))
            << "the slider stands at " << level.GetPos();
        EXPECT_GT(dlg.sliderMoves, 0);

        CScrollBar& offset = dlg.Item<CScrollBar>(IDC_OFFSET);
        const CRect b = user.RectOf(offset);
        user.Click(CPoint(b.right - 4, b.CenterPoint().y));
        user.Click(CPoint(b.right - 4, b.CenterPoint().y));
        EXPECT_TRUE(user.WaitFor([&] { return offset.GetScrollPos() == 2; }))
            << "the arrow did not scroll: " << offset.GetScrollPos();
        user.Click(CPoint(b.left + b.Width() * 3 / 4, b.CenterPoint().y));
        EXPECT_TRUE(user.WaitFor([&] { return offset.GetScrollPos() == 7; }))
            << "a click on the track pages: " << offset.GetScrollPos();

        CTabCtrl& pages = dlg.Item<CTabCtrl>(IDC_PAGES);
        const CRect t = user.RectOf(pages);
        user.Click(CPoint(t.left + 70, t.top + 8));
        EXPECT_TRUE(user.WaitFor([&] { return pages.GetCurSel() == 1 && dlg.pageChanges == 1; }))
            << "the second tab was not chosen";
        ShotOf(user, dlg, "slider-scroll-bar-tabs");
        user.Keys("Escape");
    });
}

TEST_F(ControlsByHandTest, ListControlSelectsAndEditsALabelInPlace)
{
    ControlsDialog dlg(&owner);
    Run(dlg, [&](ScreenUser& user) {
        CListCtrl& items = dlg.Item<CListCtrl>(IDC_ITEMS);
        CRect row;
        user.OnUi([&] { items.GetItemRect(1, &row, LVIR_BOUNDS); });
        const CPoint second = user.PointOf(items, CPoint(row.left + 20, row.CenterPoint().y));
        user.Click(second);
        ASSERT_TRUE(user.WaitFor([&] { return items.GetNextItem(-1, LVNI_SELECTED) == 1; }))
            << "the click selected no row";
        user.Keys("Up");
        EXPECT_TRUE(user.WaitFor([&] { return items.GetNextItem(-1, LVNI_SELECTED) == 0; }));
        // F2 opens the label's in-place edit; Return ends it.
        user.Keys("F2");
        ASSERT_TRUE(user.WaitFor([&] { return items.GetEditControl() != nullptr; })) << "no in-place edit";
        user.Keys("ctrl+a");
        user.Type("Dial 1\n");
        EXPECT_TRUE(user.WaitFor([&] { return items.GetItemText(0, 0) == "Dial 1"; }))
            << "the label reads " << items.GetItemText(0, 0);
        ShotOf(user, dlg, "list-control");
        user.Keys("Escape");
    });
}

TEST_F(ControlsByHandTest, AfterAMessageBoxTheDialogsEditTakesClicksAndKeys)
{
    ControlsDialog dlg(&owner);
    Run(dlg, [&](ScreenUser& user) {
        user.Click(At(user, dlg.Item<CButton>(IDC_WARN)));
        // The toolkit's box takes the keyboard; Return answers it.
        EXPECT_TRUE(user.WaitForFocusedTitle("Vantorel")) << "the box has no keyboard focus";
        Shot(user, "message-box");
        user.Keys("Return");
        ASSERT_TRUE(user.WaitFor([&] { return dlg.warned == 1; }, 5000)) << "the box did not close";
        CEdit& spacing = dlg.Item<CEdit>(IDC_SPACING);
        user.Click(At(user, dlg.Item<CButton>(IDC_SNAP), 0.1));
        user.Click(At(user, spacing));
        ASSERT_TRUE(user.WaitFor([&] { return CWnd::GetFocus() == &spacing; })) << "the edit took no click";
        // The keyboard is back with the dialog, not with its owner or the closed box.
        EXPECT_TRUE(user.WaitForFocusedTitle("Grid and choices")) << "the keys go to " << user.FocusedTitle();
        user.Type("8");
        EXPECT_TRUE(user.WaitFor([&] { return spacing.GetWindowText() == "8"; }))
            << "the edit reads \"" << spacing.GetWindowText() << "\"";
        user.Keys("Escape");
    });
}

TEST_F(ControlsByHandTest, ModalDialogOpensOverItsOwnerAndOwnsTheKeys)
{
    int ownerKeys = 0;
    ControlsDialog dlg(&owner);
    const INT_PTR answer = Run(dlg, [&](ScreenUser& user) {
        const CRect o = user.RectOf(owner);
        const CRect d = user.RectOf(dlg);
        // Over its owner (the window manager may nudge it from the middle).
        EXPECT_TRUE(o.PtInRect(d.CenterPoint())) << "the dialog opened away from its owner";
        // A click on the owner does nothing while the dialog is open; keys stay in the dialog.
        user.Click(CPoint(o.left + 20, o.bottom - 20));
        user.OnUi([&] { ownerKeys = CWnd::GetFocus() != nullptr && CWnd::GetFocus()->GetTopLevelParent() == &owner; });
        EXPECT_EQ(ownerKeys, 0) << "the owner took the focus from its modal dialog";
        Shot(user, "modal-dialog");
        user.Keys("Escape");
    });
    EXPECT_EQ(answer, IDCANCEL);
}

TEST_F(ControlsByHandTest, WhatThePersonAsksOfTheWindowsRunsOnTheScreensThread)
{
    // The screen's thread is busy elsewhere (building a dialog, say) when the person asks: the
    // call waits for its loop instead of running beside it on the person's thread.
    const std::thread::id screen = std::this_thread::get_id();
    std::atomic<bool> asked{false};
    std::vector<std::thread::id> ranOn;
    PersonAtScreen person([&](ScreenUser& user) {
        asked = true;
        for (int i = 0; i < 5; ++i) {
            user.OnUi([&] { ranOn.push_back(std::this_thread::get_id()); });
        }
    });
    while (!asked) {
        std::this_thread::yield();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    ASSERT_TRUE(person.Finish(10000));
    ASSERT_EQ(ranOn.size(), 5u);
    for (const std::thread::id id : ranOn) {
        EXPECT_EQ(id, screen) << "a call ran on the person's thread";
    }
}

} // namespace

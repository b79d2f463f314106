#include "BuiltInGlyphs.h"
#include "ControlFixture.h"

#include "platform/controls/Button.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/Edit.h"
#include "platform/controls/ImageList.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/ListCtrl.h"
#include "platform/drawing/Look.h"
#include "platform/drawing/RasterDC.h"
#include "platform/window/RasterWindowHost.h"
#include "platform/drawing/RecordingDC.h"
#include "platform/controls/Static.h"
#include "platform/dialogs/Dialog.h"
#include "platform/window/UserInput.h"
#include "platform/controls/TabCtrl.h"

#include <functional>

namespace {

using EditDetailTest = ControlTest;

TEST_F(EditDetailTest, SelectionRequestsAreClampedLikeThePlatformDoes)
{
    CEdit edit;
    edit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), &parent, 20);
    edit.SetWindowText("h\xC3\xA9llo"); // five characters, six bytes
    struct Case {
        int start, end, wantStart, wantEnd;
    };
    const Case cases[] = {
        {0, -1, 0, 5}, {2, 99, 2, 5}, {4, 1, 1, 4}, {-1, 0, 4, 4}, {-5, 3, 0, 0},
    };
    for (const Case& c : cases) {
        edit.SetSel(4, 4);
        if (c.start == -5)
            edit.SetSel(0, 0);
        else
            edit.SetSel(c.start, c.end);
        int s = 0, e = 0;
        edit.GetSel(s, e);
        EXPECT_EQ(s, c.wantStart) << c.start << "," << c.end;
        EXPECT_EQ(e, c.wantEnd) << c.start << "," << c.end;
    }
    edit.SetSel(1, 2);
    edit.ReplaceSel("e");
    EXPECT_EQ(edit.GetWindowText(), "hello");
    EXPECT_TRUE(edit.GetModify());
}

TEST_F(EditDetailTest, NumberStyleRefusesOtherCharactersAndPasswordsDrawStars)
{
    CEdit number, secret;
    number.Create(WS_CHILD | WS_VISIBLE | ES_NUMBER, CRect(0, 0, 100, 20), &parent, 20);
    secret.Create(WS_CHILD | WS_VISIBLE | ES_PASSWORD, CRect(0, 30, 100, 50), &parent, 21);
    number.Type("1a2.3");
    EXPECT_EQ(number.GetWindowText(), "123");
    EXPECT_EQ(ui::BeepCount(), 2);
    secret.SetWindowText("pw\xC3\xA9");
    CRasterWindowHost& host = InstallRasterWindowHost();
    host.Snapshot(parent);
    std::vector<std::string> texts;
    for (const DrawOp& op : host.LastPaint(secret))
        if (op.kind == DrawOp::Kind::Text)
            texts.push_back(op.text);
    EXPECT_EQ(texts, std::vector<std::string>{"***"});
}

// A focused field shows where typing goes: the chosen characters on the highlight colour, or
// a caret; a click puts the caret between the characters nearest to it.
TEST_F(EditDetailTest, AFocusedFieldShowsItsSelectionAndCaret)
{
    CEdit edit;
    edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 200, 24), &parent, 20);
    edit.SetWindowText("wwwwww");
    CRasterWindowHost& host = InstallRasterWindowHost();
    const auto count = [&](COLORREF colour, int from, int to) {
        const CBitmap shot = host.Snapshot(parent);
        int n = 0;
        for (int x = from; x < to; ++x)
            n += shot.GetPixel(x, 12) == colour ? 1 : 0;
        return n;
    };
    EXPECT_EQ(count(GetSysColor(COLOR_HIGHLIGHT), 4, 196), 0) << "no selection without the focus";
    edit.SetFocus();
    edit.SetSel(0, -1);
    EXPECT_GT(count(GetSysColor(COLOR_HIGHLIGHT), 4, 196), 10);
    edit.SetSel(3, 3);
    EXPECT_EQ(count(GetSysColor(COLOR_HIGHLIGHT), 4, 196), 0);
    const int width = ui::TextWidth("www", ui::DefaultLogFont());
    EXPECT_EQ(count(GetSysColor(COLOR_WINDOWTEXT), width, width + 8), 1) << "a caret after the third character";

    // A click in the first half of the fifth character puts the caret before it.
    const int fourth = ui::TextWidth("wwww", ui::DefaultLogFont());
    edit.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(fourth + 3 + 2, 12));
    int start = 0, end = 0;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 4);
    EXPECT_EQ(end, 4);

    // A text longer than the field scrolls so that the caret at its end shows, and a click
    // near the field's right edge lands at that end.
    edit.SetWindowText(std::string(40, 'w'));
    edit.SetSel(40, 40);
    EXPECT_EQ(count(GetSysColor(COLOR_WINDOWTEXT), 180, 199), 1) << "the caret shows at the field's end";
    edit.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(196, 12));
    edit.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(196, 12));
    edit.GetSel(start, end);
    EXPECT_EQ(end, 40);

    // Shift with the arrows, and a drag, select from where the caret was.
    edit.SetWindowText("wwwwww");
    edit.SetSel(2, 2);
    CUserInput::PressKey(VK_RIGHT, CUserInput::Shift);
    CUserInput::PressKey(VK_RIGHT, CUserInput::Shift);
    edit.GetSel(start, end);
    EXPECT_EQ(std::pair(start, end), std::pair(2, 4));
    CUserInput::PressKey(VK_HOME, CUserInput::Shift);
    edit.GetSel(start, end);
    EXPECT_EQ(std::pair(start, end), std::pair(0, 2));
    const int first = ui::TextWidth("w", ui::DefaultLogFont());
    edit.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(first + 3 + 2, 12));
    edit.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(fourth + 3 + 2, 12));
    edit.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(fourth + 3 + 2, 12));
    edit.GetSel(start, end);
    EXPECT_EQ(std::pair(start, end), std::pair(1, 4));
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

using ComboDetailTest = ControlTest;

TEST_F(ComboDetailTest, DropDownEditingKeysAndTheDroppedState)
{
    CComboBox combo, list;
    combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, CRect(0, 0, 100, 100), &parent, 40);
    list.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 30, 100, 130), &parent, 41);
    combo.AddString("10");
    combo.LimitText(3);
    combo.UserType("12345");
    EXPECT_EQ(combo.GetWindowText(), "123");
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    combo.SetWindowText("free"); // an editable combo box takes text from code
    EXPECT_EQ(combo.GetWindowText(), "free");
    list.SetWindowText("free"); // a drop-down list does not
    EXPECT_EQ(list.GetWindowText(), "");
    list.AddString("a");
    list.AddString("b");
    list.SetCurSel(0);
    list.SetFocus();
    list.SendMessage(WM_KEYDOWN, VK_DOWN);
    list.SendMessage(WM_KEYDOWN, VK_DOWN); // already at the end: nothing
    list.ShowDropDown(TRUE);
    EXPECT_TRUE(list.GetDroppedState());
    combo.SetFocus(); // losing the focus closes the list
    EXPECT_FALSE(list.GetDroppedState());
    EXPECT_EQ(parent.log, Codes({Cmd(40, CBN_SETFOCUS), Cmd(40, CBN_EDITUPDATE), Cmd(40, CBN_EDITCHANGE),
                                 Cmd(40, CBN_KILLFOCUS), Cmd(41, CBN_SETFOCUS), Cmd(41, CBN_SELENDOK),
                                 Cmd(41, CBN_SELCHANGE), Cmd(41, CBN_DROPDOWN), Cmd(41, CBN_CLOSEUP), Cmd(41, CBN_KILLFOCUS),
                                 Cmd(40, CBN_SETFOCUS)}));
    EXPECT_EQ(list.GetLBText(list.GetCurSel()), "b");
    EXPECT_EQ(list.GetLBText(7), "");
    EXPECT_EQ(list.GetLBTextLen(7), CB_ERR);
    EXPECT_EQ(list.DeleteString(7), CB_ERR);
}

using ButtonDetailTest = ControlTest;

// A parent that draws owner-drawn items itself when asked to.
class DrawingParent : public NotifyLog {
public:
    bool draws = false;
    std::vector<UINT> states;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_DRAWITEM) {
            states.push_back(reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->itemState);
            return draws ? TRUE : FALSE;
        }
        return NotifyLog::WindowProc(message, wParam, lParam);
    }
};

class SwatchButton : public CButton {
public:
    int drawn = 0;
    void DrawItem(LPDRAWITEMSTRUCT dis) override
    {
        ++drawn;
        dis->hDC->FillSolidRect(dis->rcItem, RGB(255, 0, 0));
    }
};

TEST_F(ButtonDetailTest, OwnerDrawnButtonsAreReflectedUnlessTheParentDraws)
{
    DrawingParent owner;
    ASSERT_TRUE(owner.CreateEx(0, "Owner", "", WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 0));
    SwatchButton swatch;
    swatch.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 40, 30), &owner, 2);
    CRasterWindowHost& host = InstallRasterWindowHost();
    swatch.SetFocus();
    CBitmap picture = host.Snapshot(owner);
    EXPECT_EQ(swatch.drawn, 1);
    EXPECT_EQ(picture.GetPixel(20, 20), RGB(255, 0, 0));
    swatch.SetState(TRUE);
    swatch.EnableWindow(FALSE);
    owner.draws = true;
    host.Snapshot(owner);
    EXPECT_EQ(swatch.drawn, 1);
    ASSERT_EQ(owner.states.size(), 2u);
    EXPECT_EQ(owner.states[0], ODS_FOCUS);
    EXPECT_EQ(owner.states[1], ODS_SELECTED | ODS_DISABLED); // disabling took the focus away
    owner.DestroyWindow();
}

TEST_F(ButtonDetailTest, RadioHelpersAndThreeStateBoxes)
{
    CButton a, b, tri;
    a.Create("a", WS_CHILD | WS_VISIBLE | BS_RADIOBUTTON, CRect(0, 0, 50, 20), &parent, 31);
    b.Create("b", WS_CHILD | WS_VISIBLE | BS_RADIOBUTTON, CRect(0, 20, 50, 40), &parent, 32);
    tri.Create("t", WS_CHILD | WS_VISIBLE | BS_AUTO3STATE, CRect(0, 40, 50, 60), &parent, 33);
    CheckRadioButton(&parent, 31, 32, 32);
    EXPECT_EQ(GetCheckedRadioButton(&parent, 31, 32), 32);
    a.Click(); // a plain radio button only notifies; the program checks it
    EXPECT_EQ(a.GetCheck(), BST_UNCHECKED);
    std::vector<int> states;
    for (int i = 0; i < 3; ++i) {
        tri.Click();
        states.push_back(tri.GetCheck());
    }
    EXPECT_EQ(states, (std::vector<int>{BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED}));
    tri.SetCheck(7); // not a state: unchecked
    EXPECT_EQ(tri.GetCheck(), BST_UNCHECKED);
}

// One push button shows the default frame: the default button, until another push button
// takes the focus and with it the frame; a focused edit leaves the frame where it is.
TEST_F(ButtonDetailTest, OnlyOnePushButtonShowsTheDefaultFrame)
{
    CButton ok, cancel;
    CEdit edit;
    ok.Create("OK", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, CRect(10, 10, 80, 34), &parent, IDOK);
    cancel.Create("Cancel", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(90, 10, 160, 34), &parent, IDCANCEL);
    edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 40, 160, 60), &parent, 5);
    CRasterWindowHost& host = InstallRasterWindowHost();
    const auto framed = [&](int left) {
        return host.Snapshot(parent).GetPixel(left, 22) == ui::GetLookColours().accentBorder;
    };
    edit.SetFocus();
    EXPECT_TRUE(framed(10));
    EXPECT_FALSE(framed(90));
    cancel.SetFocus();
    EXPECT_FALSE(framed(10)) << "two default frames";
    EXPECT_TRUE(framed(90));
    edit.SetFocus();
    EXPECT_TRUE(framed(10));
    EXPECT_FALSE(framed(90));
    ok.SetFocus();
    EXPECT_TRUE(framed(10));
    EXPECT_FALSE(framed(90));
}

// A check box or a label paints no face of its own, so its old focus ring, mark or text goes
// only when what lies beneath it (the parent's face, a group box around it) is painted again.
TEST_F(ButtonDetailTest, ControlsWithoutAFaceHaveTheirBackgroundRepaintedOnChange)
{
    CButton group, check, other;
    CStatic label;
    group.Create("Settings", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(0, 0, 200, 110), &parent, 7);
    check.Create("Snap", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, CRect(10, 20, 120, 40), &parent, 8);
    other.Create("Show", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, CRect(10, 50, 120, 70), &parent, 9);
    label.Create("Amount", WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 80, 120, 100), &parent, 10);
    check.SetFocus();
    const auto repainted = [&](const CRect& area, const std::function<void()>& change) {
        for (CWnd* wnd : {static_cast<CWnd*>(&parent), static_cast<CWnd*>(&group), static_cast<CWnd*>(&check),
                          static_cast<CWnd*>(&label)})
            wnd->ValidateRect(nullptr);
        change();
        CRect dirty, covered;
        return parent.GetUpdateRect(&dirty) && covered.IntersectRect(dirty, area) && covered == area &&
               group.GetUpdateRect(nullptr);
    };
    EXPECT_TRUE(repainted(CRect(10, 20, 120, 40), [&] { other.SetFocus(); }));
    EXPECT_TRUE(repainted(CRect(10, 20, 120, 40), [&] { check.SetWindowText("Snap to Grid"); }));
    EXPECT_TRUE(repainted(CRect(10, 20, 120, 40), [&] { check.SetCheck(BST_UNCHECKED); }));
    EXPECT_TRUE(repainted(CRect(10, 80, 120, 100), [&] { label.SetWindowText("=B1*2"); }));
    EXPECT_TRUE(label.GetUpdateRect(nullptr));

    // A bordered label is framed, its text inside the frame.
    CRasterWindowHost& host = InstallRasterWindowHost();
    const CBitmap shot = host.Snapshot(parent);
    EXPECT_EQ(shot.GetPixel(60, 80), ui::GetLookColours().border);
    EXPECT_EQ(shot.GetPixel(10, 90), ui::GetLookColours().border);
}

// Tab into a group of radio buttons lands on the checked one, and on from there to the next
// tab stop; Shift+Tab comes back to it.
TEST_F(ButtonDetailTest, TabIntoARadioGroupLandsOnTheCheckedButton)
{
    CEdit before;
    CButton first, second, third, after;
    before.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 100, 20), &parent, 11);
    first.Create("A", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, CRect(0, 30, 100, 50), &parent, 12);
    second.Create("B", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, CRect(0, 50, 100, 70), &parent, 13);
    third.Create("C", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, CRect(0, 70, 100, 90), &parent, 14);
    after.Create("OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, CRect(0, 100, 80, 124), &parent, 15);
    second.SetCheck(BST_CHECKED);
    before.SetFocus();
    ui::MoveDialogFocus(parent, false);
    EXPECT_EQ(CWnd::GetFocus(), &second);
    EXPECT_EQ(second.GetCheck(), BST_CHECKED);
    ui::MoveDialogFocus(parent, false);
    EXPECT_EQ(CWnd::GetFocus(), &after);
    ui::MoveDialogFocus(parent, true);
    EXPECT_EQ(CWnd::GetFocus(), &second);
    // With none checked, the group's first button takes the focus.
    second.SetCheck(BST_UNCHECKED);
    before.SetFocus();
    ui::MoveDialogFocus(parent, false);
    EXPECT_EQ(CWnd::GetFocus(), &first);
}

// A focused drop-down list shows its choice on the highlight colour, which the arrow keys change.
TEST_F(ComboDetailTest, AFocusedDropDownListShowsItsChoice)
{
    CComboBox list;
    CEdit other;
    list.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 120, 100), &parent, 41);
    other.Create(WS_CHILD | WS_VISIBLE, CRect(0, 40, 100, 60), &parent, 42);
    list.AddString("None");
    list.AddString("Fade");
    list.SetCurSel(0);
    CRasterWindowHost& host = InstallRasterWindowHost();
    const auto highlighted = [&] { return host.Snapshot(parent).GetPixel(6, 4) == GetSysColor(COLOR_HIGHLIGHT); };
    other.SetFocus();
    EXPECT_FALSE(highlighted());
    list.SetFocus();
    EXPECT_TRUE(highlighted());
    CUserInput::PressKey(VK_DOWN);
    EXPECT_EQ(list.GetCurSel(), 1);
    EXPECT_TRUE(highlighted());
}

using StaticDetailTest = ControlTest;

TEST_F(StaticDetailTest, LabelsNotifyOnlyWhenAskedAndShowIcons)
{
    CStatic label, icon;
    label.Create("Name", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(0, 0, 60, 14), &parent, 90);
    icon.Create("", WS_CHILD | WS_VISIBLE | SS_ICON, CRect(0, 20, 48, 68), &parent);
    ui::ClickWindow(label);
    ui::ClickWindow(icon);
    EXPECT_EQ(parent.log, Codes({Cmd(90, STN_CLICKED)}));
    EXPECT_EQ(icon.GetDlgCtrlID(), 0xFFFF);
    CBitmap picture(2, 2, RGB(0, 128, 0));
    GetImageResources().AddIcon(280, picture);
    icon.SetIcon(280);
    CRasterWindowHost& host = InstallRasterWindowHost();
    CBitmap shot = host.Snapshot(parent);
    EXPECT_EQ(shot.GetPixel(1, 21), RGB(0, 128, 0));
    ResetImageResources();
}

using ClassRegistryTest = ControlTest;

class CustomControl : public CWnd {
protected:
    void PostNcDestroy() override { delete this; }
};

TEST_F(ClassRegistryTest, ProgramClassesAreRegisteredOnceAndMadeByTemplates)
{
    WNDCLASS wc;
    wc.lpszClassName = "SpinEdit";
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    EXPECT_FALSE(GetClassInfo("SpinEdit", nullptr));
    EXPECT_TRUE(AfxRegisterClass(&wc));
    EXPECT_TRUE(AfxRegisterClass(&wc)); // again: still registered
    WNDCLASS found;
    EXPECT_TRUE(GetClassInfo("spinedit", &found));
    EXPECT_EQ(found.style, wc.style);
    EXPECT_TRUE(GetClassInfo("BUTTON", nullptr)); // standard classes are always there
    WNDCLASS empty;
    EXPECT_FALSE(AfxRegisterClass(&empty));
    EXPECT_THROW(AfxThrowResourceException(), CResourceException);

    ui::RegisterWindowFactory("AlertControl", [] { return static_cast<CWnd*>(new CustomControl()); });
    DialogTemplate t;
    t.id = 109;
    t.cx = 100;
    t.cy = 50;
    t.Add("AlertControl", "", 1005, 0, 0, 100, 30, WS_VISIBLE)
        .Add("FontData", "", 1006, 0, 30, 100, 20, WS_VISIBLE);
    GetDialogTemplates().Add(t);
    CDialog dlg(109, &parent);
    ASSERT_TRUE(dlg.Create(109, &parent));
    EXPECT_NE(dynamic_cast<CustomControl*>(dlg.GetDlgItem(1005)), nullptr);
    EXPECT_EQ(dlg.GetDlgItem(1006)->GetClassName(), "FontData");
    // Taking over an item keeps its place in the tab order.
    CButton replacement;
    EXPECT_TRUE(replacement.SubclassDlgItem(1005, &dlg));
    EXPECT_EQ(dlg.GetChildren().front(), &replacement);
    EXPECT_FALSE(replacement.SubclassDlgItem(1005, &dlg)); // already a window
    ui::ResetWindowClasses();
    EXPECT_FALSE(GetClassInfo("SpinEdit", nullptr));
}

using DataExchangeTest = ControlTest;

TEST_F(DataExchangeTest, RadioGroupsListsAndNumbersInBothDirections)
{
    DialogTemplate t;
    t.id = 400;
    t.cx = 200;
    t.cy = 100;
    t.Add("Button", "Low", 10, 0, 0, 50, 10, WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON)
        .Add("Button", "Mid", 11, 0, 10, 50, 10, WS_VISIBLE | BS_AUTORADIOBUTTON)
        .Add("Button", "High", 12, 0, 20, 50, 10, WS_VISIBLE | BS_AUTORADIOBUTTON)
        .Add("Edit", "", 13, 0, 30, 50, 12, WS_VISIBLE | WS_GROUP)
        .Add("ListBox", "", 14, 60, 0, 50, 40, WS_VISIBLE)
        .Add("ComboBox", "", 15, 120, 0, 50, 40, WS_VISIBLE | CBS_DROPDOWNLIST);
    GetDialogTemplates().Add(t);
    struct Form : CDialog {
        Form(CWnd* p) : CDialog(400, p) {}
        int radio = 1;
        double ratio = 0.25;
        int listIndex = 1;
        std::string choice = "be";
        std::string notes = "abcdef";
        BOOL OnInitDialog() override
        {
            for (const char* s : {"x", "y"})
                SendDlgItemMessage(14, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
            for (const char* s : {"alpha", "beta"})
                SendDlgItemMessage(15, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
            return CDialog::OnInitDialog();
        }
        void DoDataExchange(CDataExchange* pDX) override
        {
            DDX_Radio(pDX, 10, radio);
            DDX_Text(pDX, 13, ratio);
            DDX_LBIndex(pDX, 14, listIndex);
            DDX_CBString(pDX, 15, choice);
        }
    } form(&parent);
    ASSERT_TRUE(form.Create(400, &parent));
    EXPECT_EQ(form.IsDlgButtonChecked(11), BST_CHECKED);
    EXPECT_EQ(form.GetDlgItemText(13), "0.25");
    EXPECT_EQ(form.GetDlgItemText(15), "beta"); // selected by prefix
    static_cast<CButton*>(form.GetDlgItem(12))->Click();
    form.SetDlgItemText(13, " 1.5e2 ");
    EXPECT_TRUE(form.UpdateData(TRUE));
    EXPECT_EQ(form.radio, 2);
    EXPECT_DOUBLE_EQ(form.ratio, 150.0);
    EXPECT_EQ(form.choice, "beta");
    for (const char* bad : {"1,5", "nan", "inf", "", "1.5x"}) {
        form.SetDlgItemText(13, bad);
        boxes->Answer(IDOK);
        EXPECT_FALSE(form.UpdateData(TRUE)) << bad;
    }
    EXPECT_DOUBLE_EQ(form.ratio, 150.0);

    struct Case {
        const char* text;
        BOOL isSigned;
        int value;
        BOOL ok;
    };
    const Case cases[] = {{"42", TRUE, 42, TRUE},  {" -7", TRUE, -7, TRUE},         {"-7", FALSE, 0, FALSE},
                          {"12a", TRUE, 0, FALSE}, {"99999999999", TRUE, 0, FALSE}, {"", TRUE, 0, FALSE}};
    for (const Case& c : cases) {
        form.SetDlgItemText(13, c.text);
        BOOL ok = -1;
        EXPECT_EQ(form.GetDlgItemInt(13, &ok, c.isSigned), c.value) << c.text;
        EXPECT_EQ(ok, c.ok) << c.text;
    }
}

TEST_F(DataExchangeTest, InMemoryTemplatesAndModelessEnding)
{
    const BuiltInGlyphs glyphs; // the expected pixels are reckoned from the built-in glyphs
    // The Name/Value page builds its template in code: 255 x 300 units of 8-point text.
    DialogTemplate t;
    t.style = 0x80CC0440;
    t.fontFace = "MS Sans Serif";
    t.cx = 255;
    t.cy = 300;
    t.caption = "Name/Value";
    CDialog dlg;
    ui::SetDialogHookByCaption("Name/Value", [](CDialog& d) { d.EndDialog(IDOK); });
    ASSERT_TRUE(dlg.CreateIndirect(t, &parent));
    CRect r;
    dlg.GetWindowRect(&r);
    EXPECT_EQ(r.Size(), CSize(383, 488));
    EXPECT_EQ(dlg.GetTemplate()->fontFace, "MS Sans Serif");
    EXPECT_EQ(dlg.GetResult(), IDOK);
    EXPECT_FALSE(dlg.IsWindowVisible()); // a modeless dialog is hidden, not destroyed
    EXPECT_NE(dlg.GetSafeHwnd(), nullptr);
}

using PaintingTest = ControlTest;

TEST_F(PaintingTest, ChildrenPaintOverTheirParentsInsideThemAndInZOrder)
{
    CStatic back, front, outside;
    back.Create("", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, CRect(10, 10, 50, 50), &parent, 1);
    front.Create("", WS_CHILD | WS_VISIBLE | SS_ETCHEDFRAME, CRect(20, 20, 40, 40), &parent, 2);
    front.SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    outside.Create("", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, CRect(390, 290, 420, 320), &parent, 3);
    CRasterWindowHost& host = InstallRasterWindowHost();
    CBitmap shot = host.Snapshot(parent);
    EXPECT_EQ(shot.Width(), 400);
    EXPECT_EQ(shot.GetPixel(15, 15), RGB(0, 0, 0));
    EXPECT_EQ(shot.GetPixel(20, 20), GetSysColor(COLOR_3DSHADOW)); // the frame is on top
    EXPECT_EQ(shot.GetPixel(395, 295), RGB(0, 0, 0));
    EXPECT_EQ(host.LastPaint(outside).size(), 1u);
    outside.ShowWindow(SW_HIDE);
    host.Snapshot(parent);
    back.DestroyWindow();
    EXPECT_TRUE(host.LastPaint(back).empty());
}

TEST_F(PaintingTest, ImageListsCutStripsAndDrawThroughTheMask)
{
    CImageList list;
    EXPECT_FALSE(list.Create(0, 16, ILC_COLOR24, 0, 1));
    ASSERT_TRUE(list.Create(2, 2, ILC_COLOR24 | ILC_MASK, 4, 4));
    CBitmap strip(5, 2, RGB(0, 0, 0)); // two whole pictures; the odd column is dropped
    strip.SetPixel(0, 0, RGB(255, 0, 0));
    strip.SetPixel(3, 1, RGB(0, 0, 255));
    EXPECT_EQ(list.Add(&strip, RGB(0, 0, 0)), 0);
    EXPECT_EQ(list.GetImageCount(), 2);
    CRecordingDC dc(4, 4, RGB(9, 9, 9));
    EXPECT_TRUE(list.Draw(&dc, 1, CPoint(2, 2), ILD_TRANSPARENT));
    EXPECT_FALSE(list.Draw(&dc, 5, CPoint(0, 0), ILD_NORMAL));
    EXPECT_EQ(dc.GetPixel(3, 3), RGB(0, 0, 255));
    EXPECT_EQ(dc.GetPixel(2, 2), RGB(9, 9, 9)); // masked
    CBitmap one(2, 2, RGB(1, 1, 1));
    EXPECT_TRUE(list.Replace(0, &one));
    EXPECT_TRUE(list.Remove(0));
    EXPECT_EQ(list.GetImage(0)->GetPixel(1, 1), RGB(0, 0, 255));
    EXPECT_TRUE(list.Remove(-1));
    EXPECT_EQ(list.GetImageCount(), 0);
}

using TabDetailTest = ControlTest;

TEST_F(TabDetailTest, ItemsRectsAndTheCurrentTabAfterDeletion)
{
    const BuiltInGlyphs glyphs; // the expected pixels are reckoned from the built-in glyphs
    CTabCtrl tabs;
    tabs.Create(WS_CHILD | WS_VISIBLE | TCS_BUTTONS, CRect(0, 0, 300, 100), &parent, 5);
    for (const char* s : {"General", "Behavior", "Appearance"})
        tabs.InsertItem(tabs.GetItemCount(), s);
    tabs.SetPadding(CSize(10, 4));
    CRect first, second;
    tabs.GetItemRect(0, &first);
    tabs.GetItemRect(1, &second);
    EXPECT_EQ(first.Width(), 7 * 6 + 20);
    EXPECT_EQ(second.left, first.right);
    EXPECT_EQ(first.Height(), tabs.GetRowHeight());
    tabs.SetCurSel(2);
    tabs.DeleteItem(2);
    EXPECT_EQ(tabs.GetCurSel(), 1);
    tabs.DeleteItem(0);
    EXPECT_EQ(tabs.GetCurSel(), 0);
    EXPECT_EQ(tabs.GetItemText(0), "Behavior");
    EXPECT_EQ(tabs.SetCurSel(4), -1);
    ui::ClickWindowAt(tabs, CPoint(3, 3));
    EXPECT_EQ(parent.log, Codes({Ntf(5, TCN_SELCHANGING), Ntf(5, TCN_SELCHANGE)}));
}

} // namespace

namespace {

using ListDetailTest = ControlTest;

TEST_F(ListDetailTest, SortedListBoxesAndSelectionsFollowInsertsAndDeletes)
{
    CListBox box;
    box.Create(WS_CHILD | WS_VISIBLE | LBS_SORT | LBS_NOTIFY, CRect(0, 0, 100, 100), &parent, 50);
    for (const char* s : {"delta", "Alpha", "charlie"})
        box.AddString(s);
    EXPECT_EQ(box.GetText(0), "Alpha");
    EXPECT_EQ(box.GetText(2), "delta");
    box.SetCurSel(2);
    EXPECT_EQ(box.AddString("bravo"), 1);
    EXPECT_EQ(box.GetCurSel(), 3);
    box.DeleteString(0);
    EXPECT_EQ(box.GetCurSel(), 2);
    box.DeleteString(2);
    EXPECT_EQ(box.GetCurSel(), LB_ERR);
    EXPECT_EQ(box.SelectString(-1, "CH"), 1);
    EXPECT_EQ(box.GetSel(1), 1);
    EXPECT_TRUE(parent.log.empty());
}

TEST_F(ListDetailTest, DeletingTheItemBeingEditedCancelsTheEdit)
{
    CListCtrl list;
    list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_EDITLABELS, CRect(0, 0, 200, 100), &parent, 9);
    list.InsertColumn(0, "Name", LVCFMT_LEFT, 100);
    list.InsertItem(0, "a");
    list.InsertItem(1, "b");
    ASSERT_NE(list.EditLabel(1), nullptr);
    list.InsertItem(0, "first"); // the edited item moves down with the edit
    list.GetEditControl()->SetWindowText("renamed");
    list.DeleteItem(2);
    EXPECT_EQ(list.GetEditControl(), nullptr);
    EXPECT_EQ(parent.LastOf<NMLVDISPINFO>(LVN_ENDLABELEDIT).item.pszText, nullptr);
    EXPECT_EQ(parent.LastOf<NMLVDISPINFO>(LVN_ENDLABELEDIT).item.iItem, 2);
    EXPECT_EQ(list.GetItemCount(), 2);
    // Out-of-range requests are refused rather than touching other items.
    EXPECT_FALSE(list.SetItemText(5, 0, "x"));
    EXPECT_FALSE(list.SetItemText(0, 3, "x"));
    EXPECT_EQ(list.GetItemText(9, 0), "");
    EXPECT_FALSE(list.DeleteItem(-1));
    EXPECT_EQ(list.EditLabel(7), nullptr);
}

TEST_F(ListDetailTest, ABlitOntoItsOwnSurfaceReadsThePixelsAsTheyWere)
{
    CRasterDC dc(4, 1, RGB(0, 0, 0));
    dc.SetPixel(0, 0, RGB(255, 0, 0));
    dc.SetPixel(1, 0, RGB(0, 255, 0));
    dc.BitBlt(1, 0, 3, 1, &dc, 0, 0, SRCCOPY); // overlapping shift right by one
    EXPECT_EQ(dc.GetPixel(1, 0), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(2, 0), RGB(0, 255, 0));
    EXPECT_EQ(dc.GetPixel(3, 0), RGB(0, 0, 0));
}

// Only the window holding the focus shows it: an owner-drawn list that loses the focus is
// repainted without it, so two focus marks never show at once.
TEST_F(ListDetailTest, AListThatLosesTheFocusRepaintsWithoutIt)
{
    DrawingParent owner;
    ASSERT_TRUE(owner.CreateEx(0, "Owner", "", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 140), nullptr, 0));
    CListCtrl list;
    list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED, CRect(0, 0, 200, 100), &owner, 9);
    list.InsertColumn(0, "Name", LVCFMT_LEFT, 100);
    list.InsertItem(0, "a");
    list.SetItemState(0, LVIS_FOCUSED, LVIS_FOCUSED);
    CButton button;
    button.Create("OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 110, 80, 130), &owner, 1);
    CRasterWindowHost& host = InstallRasterWindowHost();
    list.SetFocus();
    host.Snapshot(owner);
    ASSERT_FALSE(owner.states.empty());
    EXPECT_NE(owner.states.back() & ODS_FOCUS, 0u);

    for (bool toList : {false, true}) {
        list.ValidateRect(nullptr);
        if (toList)
            list.SetFocus();
        else
            button.SetFocus();
        EXPECT_TRUE(list.GetUpdateRect(nullptr)) << toList;
        owner.states.clear();
        host.Snapshot(owner);
        ASSERT_FALSE(owner.states.empty());
        EXPECT_EQ((owner.states.back() & ODS_FOCUS) != 0, toList);
    }
    owner.DestroyWindow();
}

} // namespace

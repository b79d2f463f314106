#include "ControlFixture.h"

#include "platform/controls/Button.h"
#include "platform/controls/Edit.h"
#include "platform/controls/InPlaceEdit.h"
#include "platform/dialogs/PropertySheet.h"

namespace {

// A page that logs its life: creation, activation, leaving, applying, resetting, help.
class LogPage : public CPropertyPage {
public:
    LogPage(UINT id, std::vector<std::string>* log) : CPropertyPage(id), m_log(log) {}
    bool refuseLeave = false;
    bool refuseApply = false;
    BOOL OnInitDialog() override
    {
        Log("init");
        return CPropertyPage::OnInitDialog();
    }
    BOOL OnSetActive() override
    {
        Log("set");
        return TRUE;
    }
    BOOL OnKillActive() override
    {
        Log("kill");
        return refuseLeave ? FALSE : TRUE;
    }
    BOOL OnApply() override
    {
        Log("apply");
        return refuseApply ? FALSE : TRUE;
    }
    void OnReset() override { Log("reset"); }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMANDHELP)
            Log("help");
        if (message == WM_USER + 101)
            Log("0x465");
        if (message == WM_INPLACE_NOTIFY && wParam == kInPlaceEditId)
            Log(("field " + std::to_string(lParam)).c_str());
        return CPropertyPage::WindowProc(message, wParam, lParam);
    }
    void Log(const char* what) { m_log->push_back(std::to_string(GetTemplateId()) + ":" + what); }

private:
    std::vector<std::string>* m_log;
};

class PropertySheetTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        for (int id : {301, 302, 303}) {
            DialogTemplate t;
            t.id = id;
            t.caption = id == 301 ? "General" : id == 302 ? "Behavior" : "Appearance";
            t.style = WS_CHILD | DS_CONTROL | DS_SETFONT;
            t.cx = 200 + (id - 301) * 10;
            t.cy = 120;
            t.Add("Edit", "", 1000, 7, 7, 80, 14, WS_VISIBLE | WS_TABSTOP | WS_BORDER)
                .Add("Button", "Colour", 2, 7, 30, 50, 14, WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW);
            GetDialogTemplates().Add(t);
        }
    }
    std::vector<std::string> log;
    LogPage general{301, &log}, behavior{302, &log}, appearance{303, &log};
};

TEST_F(PropertySheetTest, PagesAreCreatedWhenFirstShownAndAskedBeforeLeaving)
{
    CPropertySheet sheet("Chart_1", &parent);
    sheet.AddPage(&general);
    sheet.AddPage(&behavior);
    sheet.AddPage(&appearance);
    sheet.SetActivePage(1); // before the window: the start page
    sheet.m_psh.dwFlags |= PSH_HASHELP;
    std::vector<std::string> tabs;
    bool parentDisabled = false;
    ui::SetDialogHookByCaption("Chart_1", [&](CDialog& page) {
        CPropertySheet* s = static_cast<CPropertyPage&>(page).GetSheet();
        parentDisabled = !parent.IsWindowEnabled();
        for (int i = 0; i < s->GetTabControl()->GetItemCount(); ++i)
            tabs.push_back(s->GetTabControl()->GetItemText(i));
        EXPECT_EQ(&page, &behavior);
        EXPECT_FALSE(general.IsCreated());
        behavior.refuseLeave = true;
        s->GetTabControl()->UserSelect(2); // refused by the page
        EXPECT_EQ(s->GetActiveIndex(), 1);
        behavior.refuseLeave = false;
        s->GetTabControl()->UserSelect(2);
        s->SetActivePage(0);
        static_cast<CButton*>(s->GetDlgItem(IDHELP))->Click();
        general.SetModified(TRUE);
        EXPECT_TRUE(s->IsApplyEnabled());
        static_cast<CButton*>(s->GetDlgItem(ID_APPLY_NOW))->Click();
        EXPECT_FALSE(s->IsApplyEnabled());
        static_cast<CButton*>(s->GetDlgItem(IDOK))->Click();
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_TRUE(parentDisabled);
    EXPECT_TRUE(parent.IsWindowEnabled());
    EXPECT_EQ(tabs, (std::vector<std::string>{"General", "Behavior", "Appearance"}));
    EXPECT_EQ(log, (std::vector<std::string>{"302:init", "302:set",             // start page
                                             "302:kill", "302:kill",            // refused, then left
                                             "303:init", "303:set", "303:kill", // to page 3, then to 1
                                             "301:init", "301:set", "301:help", // help goes to the page
                                             "301:kill", "301:apply", "302:apply", "303:apply", // Apply
                                             "301:kill", "301:apply", "302:apply", "303:apply"}));
    EXPECT_FALSE(general.IsCreated()); // destroyed with the sheet
}

TEST_F(PropertySheetTest, OkAppliesOnlyShownPagesAndARefusingPageKeepsTheSheetOpenOnIt)
{
    CPropertySheet sheet("Dial_1", &parent);
    sheet.AddPage(&general);
    sheet.AddPage(&behavior);
    sheet.AddPage(&appearance);
    appearance.refuseApply = true;
    int activeAfterRefusal = -1;
    ui::SetDialogHookByCaption("Dial_1", [&](CDialog& page) {
        CPropertySheet* s = static_cast<CPropertyPage&>(page).GetSheet();
        s->GetTabControl()->UserSelect(2);
        s->GetTabControl()->UserSelect(0);
        static_cast<CButton*>(s->GetDlgItem(IDOK))->Click();
        activeAfterRefusal = s->GetActiveIndex();
        appearance.refuseApply = false;
        static_cast<CButton*>(s->GetDlgItem(IDOK))->Click();
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(activeAfterRefusal, 2);
    EXPECT_FALSE(behavior.IsCreated());
    EXPECT_EQ(log,
              (std::vector<std::string>{"301:init", "301:set", "301:kill", "303:init", "303:set", "303:kill",
                                        "301:set",                               // shown pages
                                        "301:kill", "301:apply", "303:apply",    // refused
                                        "301:kill", "303:set",                   // moves to it
                                        "303:kill", "301:apply", "303:apply"})); // accepted
}

TEST_F(PropertySheetTest, CancelResetsOnlyCreatedPagesAndTheTitleDecoration)
{
    CPropertySheet sheet;
    sheet.AddPage(&general);
    sheet.AddPage(&behavior);
    sheet.SetTitle("Gauge_1", PSH_PROPTITLE);
    ui::SetDialogHookByCaption("Gauge_1 Properties", [&](CDialog& page) {
        // The page's own control with id 2 is not the sheet's Cancel.
        static_cast<CButton*>(page.GetDlgItem(2))->Click();
        EXPECT_FALSE(static_cast<CPropertyPage&>(page).GetSheet()->GetSafeHwnd() == nullptr);
        page.GetParent()->SendMessage(WM_CLOSE);
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(log, (std::vector<std::string>{"301:init", "301:set", "301:reset"}));
}

TEST_F(PropertySheetTest, ModelessAndChildSheetsAndTheTabControlMessage)
{
    CPropertySheet sheet("Component Properties");
    sheet.AddPage(&general);
    sheet.AddPage(&behavior);
    ASSERT_TRUE(sheet.Create(&parent, WS_CHILD | WS_VISIBLE));
    EXPECT_EQ(sheet.GetParent(), &parent);
    EXPECT_EQ(sheet.GetDlgItem(IDOK), nullptr); // no standard buttons
    auto tab = reinterpret_cast<HWND>(sheet.SendMessage(PSM_GETTABCONTROL));
    EXPECT_EQ(tab, sheet.GetTabControl()->GetSafeHwnd());
    EXPECT_EQ(sheet.GetTabControl()->GetRectInParent().TopLeft(), CPoint(0, 0)); // child: no margin
    // Messages a page's controls send it stay with the page.
    general.SendMessage(WM_USER + 101, 1);
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    sheet.RemovePage(0);
    EXPECT_EQ(sheet.GetPageCount(), 1);
    EXPECT_EQ(sheet.GetActivePage(), &behavior);
    EXPECT_TRUE(behavior.IsCreated());
    EXPECT_FALSE(general.IsCreated());
    sheet.DestroyWindow();
    EXPECT_FALSE(behavior.IsCreated());
    EXPECT_EQ(log, (std::vector<std::string>{"301:init", "301:set", "301:0x465", "302:init", "302:set"}));
}

} // namespace

#include "platform/window/UserInput.h"

namespace {

TEST_F(PropertySheetTest, KeysOfAModalSheetReachItsPagesAndButtons)
{
    CPropertySheet sheet("Styles", &parent);
    sheet.AddPage(&general);
    sheet.AddPage(&behavior);
    int afterTab = 0;
    ui::SetDialogHookByCaption("Styles", [&](CDialog& page) {
        page.GetDlgItem(1000)->SetFocus();
        CUserInput::PressKey(VK_TAB); // on to the page's next tab stop
        afterTab = CWnd::GetFocus()->GetDlgCtrlID();
        CUserInput::PressKey(VK_F1);
        CUserInput::PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(afterTab, 2);
    EXPECT_EQ(log, (std::vector<std::string>{"301:init", "301:set", "301:help", "301:reset"}));
}

// A page's field (an in-place edit standing for the page's edit) leaves Tab to the dialog: the
// focus moves on to the next tab stop and leaving finishes the edit (once, for a typed key);
// Shift+Tab comes back. A cell's edit keeps Tab.
TEST_F(PropertySheetTest, TabMovesOnFromAPagesFieldAndFinishesIt)
{
    CPropertySheet sheet("Styles", &parent);
    sheet.AddPage(&general);
    int afterTab = 0;
    int tabs = -1;
    int afterBackTab = 0;
    std::string typed;
    bool cellKeepsTab = false;
    bool tabbedFromField = false;
    ui::SetDialogHookByCaption("Styles", [&](CDialog& page) {
        CInPlaceEdit field;
        CWnd* edit = page.GetDlgItem(1000);
        const CRect r = edit->GetRectInParent();
        edit->ShowWindow(SW_HIDE);
        ASSERT_TRUE(field.Create(&page, r, 1000, true));
        CUserInput::PressKey(VK_END);
        CUserInput::TypeText("12");
        CUserInput::PressKey(VK_TAB);
        afterTab = CWnd::GetFocus() == &field ? 1000 : CWnd::GetFocus()->GetDlgCtrlID();
        tabs = sheet.GetTabControl()->GetDlgCtrlID();
        typed = field.GetWindowText();
        CUserInput::PressKey(VK_TAB, CUserInput::Shift);
        afterBackTab = CWnd::GetFocus() == &field ? 1000 : CWnd::GetFocus()->GetDlgCtrlID();

        // A Tab that reaches the field itself (a loop that did not offer it to the dialog)
        // moves on too, and types nothing.
        field.SetFocus();
        field.SendMessage(WM_KEYDOWN, VK_TAB, 1);
        field.SendMessage(WM_CHAR, '\t', 1);
        tabbedFromField = CWnd::GetFocus() != &field && field.GetWindowText() == "12";
        field.DestroyWindow();

        CInPlaceEdit cell;
        const bool made = cell.Create(&page, r, 7, false) != FALSE;
        cellKeepsTab = made && (cell.SendMessage(WM_GETDLGCODE, VK_TAB) & DLGC_WANTALLKEYS) != 0;
        cell.DestroyWindow();
        page.GetDlgItem(2)->SetFocus();
        CUserInput::PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    // The field is the page's last tab stop: Tab goes on to the sheet's tabs.
    EXPECT_EQ(afterTab, tabs);
    EXPECT_EQ(typed, "12");
    EXPECT_EQ(afterBackTab, 1000);
    EXPECT_TRUE(tabbedFromField);
    EXPECT_TRUE(cellKeepsTab);
    EXPECT_EQ(log, (std::vector<std::string>{"301:init", "301:set", "301:field 1000", "301:reset"}));
}

} // namespace

#include "platform/docview/WinApp.h"

namespace {

// A modeless sheet (a component's property panel) in the program's own loop: Tab moves on
// from a page's control, as in a modal sheet, and its keys never reach the main window.
TEST_F(PropertySheetTest, KeysOfAModelessSheetMoveThroughItsPages)
{
    CWinApp app("Vantorel");
    CPropertySheet sheet("Panel");
    sheet.AddPage(&general);
    ASSERT_TRUE(sheet.Create(&parent, WS_POPUP | WS_CAPTION | WS_VISIBLE));
    CWnd* field = general.GetDlgItem(1000);
    CWnd* colour = general.GetDlgItem(2);
    field->SetFocus();
    CUserInput::PressKey(VK_TAB);
    EXPECT_EQ(CWnd::GetFocus(), colour);
    CUserInput::PressKey(VK_TAB, CUserInput::Shift);
    EXPECT_EQ(CWnd::GetFocus(), field);
    sheet.DestroyWindow();
}

} // namespace

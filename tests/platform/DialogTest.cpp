#include "BuiltInGlyphs.h"
#include "ControlFixture.h"

#include "platform/controls/Button.h"

#include "platform/controls/ComboBox.h"
#include "platform/controls/Edit.h"
#include "platform/controls/ListBox.h"
#include "platform/drawing/Png.h"
#include "platform/controls/ProgressCtrl.h"
#include "platform/window/RasterWindowHost.h"
#include "platform/controls/SliderCtrl.h"
#include "platform/window/UserInput.h"
#include <functional>

#include "tests/support/TestSupport.h"

namespace {

enum {
    IDD_SAMPLE = 158,
    IDC_PATH = 154,
    IDC_BROWSE = 155,
    IDC_REFRESH = 522,
    IDC_COUNT = 160,
    IDC_KIND = 161,
    IDC_NOTES = 162,
    IDC_SPIN = 164
};

DialogTemplate SampleTemplate()
{
    DialogTemplate t;
    t.id = IDD_SAMPLE;
    t.caption = "Import Model";
    t.cx = 220;
    t.cy = 120;
    t.Add("Static", "Excel File:", 0xFFFF, 7, 9, 40, 8, WS_VISIBLE)
        .Add("Edit", "", IDC_PATH, 50, 7, 140, 14, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL)
        .Add("Button", "...", IDC_BROWSE, 194, 7, 20, 14, WS_VISIBLE | WS_TABSTOP)
        .Add("Button", "Refresh Spreadsheet &Format", IDC_REFRESH, 7, 28, 120, 10,
             WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX)
        .Add("Edit", "", IDC_COUNT, 7, 44, 40, 14, WS_VISIBLE | WS_TABSTOP | WS_BORDER)
        .Add("ComboBox", "", IDC_KIND, 55, 44, 80, 60, WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST)
        .Add("Edit", "", IDC_NOTES, 7, 62, 128, 30,
             WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_MULTILINE | ES_WANTRETURN)
        .Add("SpinEdit", "", IDC_SPIN, 140, 44, 40, 14, WS_VISIBLE)
        .Add("Button", "OK", IDOK, 110, 100, 50, 14, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON)
        .Add("Button", "Cancel", IDCANCEL, 164, 100, 50, 14, WS_VISIBLE | WS_TABSTOP);
    return t;
}

class SampleDialog : public CDialog {
public:
    explicit SampleDialog(CWnd* parent) : CDialog(IDD_SAMPLE, parent) {}
    std::string path = "book.xls";
    int count = 3;
    int refresh = 0;
    CComboBox kind;
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        for (const char* s : {"Bar", "Line"})
            kind.AddString(s);
        kind.SetCurSel(0);
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_PATH, path);
        DDX_Text(pDX, IDC_COUNT, count);
        DDV_MinMaxInt(pDX, count, 1, 10);
        DDX_Check(pDX, IDC_REFRESH, refresh);
        DDX_Control(pDX, IDC_KIND, kind);
    }
};

class DialogTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        GetDialogTemplates().Add(SampleTemplate());
    }
    // A key pressed in the focused window, taken by the modal loop like any other input.
    static void PostKey(UINT vk) { ::PostMessage(CWnd::GetFocus()->GetSafeHwnd(), WM_KEYDOWN, vk, 1); }
};

// Feeds keys one at a time to whatever has the focus when each key's turn comes, as a
// keyboard would.
class KeyFeeder : public CWnd {
public:
    std::vector<std::function<void()>> steps;
    static std::function<void()> Key(UINT vk)
    {
        return [vk] { ::PostMessage(CWnd::GetFocus()->GetSafeHwnd(), WM_KEYDOWN, vk, 1); };
    }
    void Start()
    {
        CreateEx(0, "Feeder", "", WS_POPUP, CRect(), nullptr, 0);
        PostMessage(WM_APP);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_APP || steps.empty())
            return CWnd::WindowProc(message, wParam, lParam);
        std::function<void()> step = steps.front();
        steps.erase(steps.begin());
        step();
        PostMessage(WM_APP);
        return 0;
    }
};

TEST_F(DialogTest, TemplatesBecomeControlsInDialogUnitsWithTheDialogFont)
{
    const BuiltInGlyphs glyphs; // the expected pixels are reckoned from the built-in glyphs
    SampleDialog dlg(&parent);
    ASSERT_TRUE(dlg.Create(IDD_SAMPLE, &parent));
    CWnd* path = dlg.GetDlgItem(IDC_PATH);
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(path->GetClassName(), "Edit");
    EXPECT_NE(dynamic_cast<CEdit*>(path), nullptr);
    // 8-point text at 96 dpi: base units 6 x 13, so 4 x 8 dialog units are 6 x 13 pixels.
    EXPECT_EQ(path->GetRectInParent(), CRect(75, 11, 285, 34));
    EXPECT_EQ(reinterpret_cast<CFont*>(path->SendMessage(WM_GETFONT)), dlg.GetDialogFont());
    EXPECT_EQ(dlg.GetDlgItemText(IDC_PATH), "book.xls"); // OnInitDialog exchanged the members
    EXPECT_EQ(dlg.GetDlgItem(IDC_KIND), &dlg.kind);      // taken over by DDX_Control
    EXPECT_EQ(dlg.kind.GetLBText(1), "Line");
    EXPECT_EQ(dlg.GetDlgItem(IDC_SPIN)->GetClassName(), "SpinEdit");
    EXPECT_EQ(dlg.GetDefID(), static_cast<DWORD>(IDOK));
    // 0x401 is the platform's "set default id", but also a private message of the program's
    // controls: the dialog gives it no meaning.
    dlg.SendMessage(WM_USER + 1, IDCANCEL);
    EXPECT_EQ(dlg.GetDefID(), static_cast<DWORD>(IDOK));
    EXPECT_EQ(ui::OpenedDialogs(), std::vector<std::string>{"158"});
}

TEST_F(DialogTest, ModalDialogsDisableTheOwnerAndReturnTheButtonId)
{
    bool ownerDisabled = false;
    ui::SetDialogHook(IDD_SAMPLE, [&](CDialog& dlg) {
        ownerDisabled = !parent.IsWindowEnabled();
        auto* path = static_cast<CEdit*>(dlg.GetDlgItem(IDC_PATH));
        path->SetSel(0, -1);
        path->Type("other.xls");
        static_cast<CButton*>(dlg.GetDlgItem(IDC_REFRESH))->Click();
        static_cast<CButton*>(dlg.GetDlgItem(IDOK))->Click();
    });
    SampleDialog dlg(&parent);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(parent.IsWindowEnabled());
    EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);
    EXPECT_EQ(dlg.path, "other.xls");
    EXPECT_EQ(dlg.refresh, 1);
}

TEST_F(DialogTest, AModalDialogHoldsOffEveryWindowOfTheFrameItBelongsTo)
{
    // The frame's tool windows (a palette, a property panel) take no input while it runs, even
    // when the panel opened it; a window that was disabled before stays so.
    SampleDialog palette(&parent), panel(&parent), greyed(&parent);
    ASSERT_TRUE(palette.Create(IDD_SAMPLE, &parent));
    ASSERT_TRUE(panel.Create(IDD_SAMPLE, &parent));
    ASSERT_TRUE(greyed.Create(IDD_SAMPLE, &parent));
    greyed.EnableWindow(FALSE);
    std::vector<bool> enabled;
    ui::SetDialogHook(IDD_SAMPLE, [&](CDialog& dlg) {
        enabled = {parent.IsWindowEnabled() != FALSE, palette.IsWindowEnabled() != FALSE,
                   panel.IsWindowEnabled() != FALSE, dlg.IsWindowEnabled() != FALSE};
        dlg.EndDialog(IDCANCEL);
    });
    SampleDialog modal(&panel);
    EXPECT_EQ(modal.DoModal(), IDCANCEL);
    EXPECT_EQ(enabled, (std::vector<bool>{false, false, false, true}));
    EXPECT_TRUE(parent.IsWindowEnabled());
    EXPECT_TRUE(palette.IsWindowEnabled());
    EXPECT_TRUE(panel.IsWindowEnabled());
    EXPECT_FALSE(greyed.IsWindowEnabled());
}

TEST_F(DialogTest, AFailedExchangeTellsTheUserAndKeepsTheDialogOpen)
{
    ui::SetDialogHook(IDD_SAMPLE, [&](CDialog& dlg) {
        dlg.SetDlgItemText(IDC_COUNT, "12");
        boxes->Answer(IDOK);
        dlg.SendMessage(WM_COMMAND, IDOK);
        EXPECT_FALSE(dlg.IsEnded());
        EXPECT_EQ(CWnd::GetFocus(), dlg.GetDlgItem(IDC_COUNT));
        dlg.SetDlgItemText(IDC_COUNT, "x1");
        boxes->Answer(IDOK);
        dlg.SendMessage(WM_COMMAND, IDOK);
        EXPECT_FALSE(dlg.IsEnded());
        PostKey(VK_ESCAPE);
    });
    SampleDialog dlg(&parent);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ASSERT_EQ(boxes->Log().size(), 2u);
    EXPECT_EQ(boxes->Log()[0].text, "Please enter an integer between 1 and 10.");
    EXPECT_EQ(boxes->Log()[1].text, "Please enter an integer.");
    EXPECT_EQ(dlg.count, 12); // what was read before the range check refused it
}

TEST_F(DialogTest, DialogKeysUnlessTheFocusedControlWantsThem)
{
    int firstFocus = 0;
    int afterTab = 0;
    std::string notes;
    KeyFeeder feeder;
    ui::SetDialogHook(IDD_SAMPLE, [&](CDialog& dlg) {
        firstFocus = CWnd::GetFocus()->GetDlgCtrlID(); // the first tab stop
        dlg.GetDlgItem(IDC_NOTES)->SetFocus();
        // The multi-line edit keeps Enter; from the count, Tab goes on to the combo box, and
        // Enter there presses the default button.
        feeder.steps = {KeyFeeder::Key(VK_RETURN), [&] { dlg.GetDlgItem(IDC_COUNT)->SetFocus(); },
                        KeyFeeder::Key(VK_TAB),
                        [&] {
                            afterTab = CWnd::GetFocus()->GetDlgCtrlID();
                            notes = dlg.GetDlgItemText(IDC_NOTES);
                        },
                        KeyFeeder::Key(VK_RETURN)};
        feeder.Start();
    });
    SampleDialog dlg(&parent);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(firstFocus, IDC_PATH);
    EXPECT_EQ(notes, "\r\n");
    EXPECT_EQ(afterTab, IDC_KIND);

    // Escape ends with Cancel wherever the focus is; a disabled Cancel button refuses it.
    ui::SetDialogHook(IDD_SAMPLE, [&](CDialog& dlg) {
        dlg.GetDlgItem(IDCANCEL)->EnableWindow(FALSE);
        dlg.GetDlgItem(IDC_COUNT)->SetFocus();
        feeder.steps = {KeyFeeder::Key(VK_ESCAPE)};
        feeder.PostMessage(WM_APP);
        ui::SetDialogHook(IDD_SAMPLE, nullptr);
    });
    SampleDialog second(&parent);
    EXPECT_EQ(second.DoModal(), IDCANCEL); // ended because nobody could answer it
    EXPECT_EQ(ui::BeepCount(), 1);
    EXPECT_EQ(ui::UnansweredDialogs().size(), 1u);
    ui::ResetDialogHooks();
}

TEST_F(DialogTest, TheUserInputDriverReachesTheDialogKeys)
{
    ui::SetDialogHook(IDD_SAMPLE, [&](CDialog& dlg) {
        dlg.SetDlgItemText(IDC_COUNT, "");
        dlg.GetDlgItem(IDC_COUNT)->SetFocus();
        CUserInput::TypeText("7");
        CUserInput::PressKey(VK_RETURN);
    });
    SampleDialog dlg(&parent);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.count, 7);
}

TEST_F(DialogTest, AModalDialogNobodyAnswersEndsWithCancelAndIsRecorded)
{
    SampleDialog dlg(&parent);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(ui::UnansweredDialogs(), std::vector<std::string>{"158"});
    EXPECT_TRUE(parent.IsWindowEnabled());
    ui::ResetDialogHooks();
    CDialog missing(999, &parent);
    EXPECT_EQ(missing.DoModal(), -1);
}

TEST_F(DialogTest, RendersASampleThatAPersonCanLookAt)
{
    CRasterWindowHost& host = InstallRasterWindowHost();
    ui::SetDialogHook(IDD_SAMPLE, [&](CDialog& dlg) {
        dlg.CheckDlgButton(IDC_REFRESH, BST_CHECKED);
        dlg.SetDlgItemText(IDC_NOTES, "Notes on\r\ntwo lines");
        dlg.GetDlgItem(IDC_PATH)->SetFocus();
        CBitmap picture = host.Snapshot(dlg);
        std::filesystem::path file = testsupport::ArtefactDir("platform") / "sample-dialog.png";
        EXPECT_TRUE(WritePng(file, picture));
        EXPECT_EQ(picture.GetPixel(2, 2), GetSysColor(COLOR_BTNFACE));
        CRect edit = dlg.GetDlgItem(IDC_PATH)->GetRectInParent();
        EXPECT_EQ(picture.GetPixel(edit.left + 20, edit.top + 4), GetSysColor(COLOR_WINDOW));
        bool anyText = false;
        for (const DrawOp& op : host.LastPaint(*dlg.GetDlgItem(IDC_REFRESH)))
            anyText = anyText || (op.kind == DrawOp::Kind::Text && op.text == "Refresh Spreadsheet &Format");
        EXPECT_TRUE(anyText);
        dlg.EndDialog(IDCANCEL);
    });
    SampleDialog dlg(&parent);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

} // namespace

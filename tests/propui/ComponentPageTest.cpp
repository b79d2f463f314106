#include "PropUiFixture.h"

#include "model/CellBinding.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "model/ValueList.h"
#include "platform/controls/Button.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/InPlaceEdit.h"
#include "platform/services/Services.h"
#include "propui/ColorButton.h"
#include "propui/ComponentPage.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/VariableTable.h"
#include "sheet/host/ExcelHost.h"
#include "tests/support/ScriptedRangePicker.h"

namespace {

enum { IDC_SHOW = 100, IDC_MODE = 101, IDC_COLOR = 102, IDC_RANGE = 103, IDC_PICK = 104 };

// A page of the kind subsystem pages are: a check box, a choice, a colour and a cell binding.
class BinderPage : public CComponentPage {
public:
    using CComponentPage::Create;
    BOOL Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                CParameterSet* root) override
    {
        CComponentPage::Create(group, title, modal, owner, root);
        DialogTemplate t;
        t.caption = title;
        t.style = WS_CHILD | DS_CONTROL | DS_SETFONT;
        t.cx = 200;
        t.cy = 120;
        t.Add("Button", "Show", IDC_SHOW, 7, 7, 80, 12, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX)
            .Add("ComboBox", "", IDC_MODE, 7, 24, 80, 60, WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST)
            .Add("ColorButton", "", IDC_COLOR, 7, 44, 40, 14, WS_VISIBLE | WS_TABSTOP)
            .Add("Edit", "", IDC_RANGE, 7, 64, 120, 14, WS_VISIBLE | WS_TABSTOP | WS_BORDER)
            .Add("Button", "...", IDC_PICK, 130, 64, 20, 14, WS_VISIBLE | WS_TABSTOP);
        Construct(t);
        return TRUE;
    }
    void OnSheetSize() override {}
    int GetHelpContextId() override { return helpTopic; }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == IDC_COLOR && HIWORD(wParam) == BN_CLICKED)
            OnColorButtonClicked("color", color, GetGroup());
        return CComponentPage::OnCommand(wParam, lParam);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NULL)
            nullFrom.push_back(static_cast<int>(lParam));
        return CComponentPage::WindowProc(message, wParam, lParam);
    }

    CColorButton color;
    std::vector<int> nullFrom;
    int helpTopic = -1;
};

class ComponentPageTest : public PropUiTest {
protected:
    void SetUp() override
    {
        PropUiTest::SetUp();
        group.SetName("General");
        Add("show", model::ParamType::Boolean)->SetBool(true);
        Add("mode", model::ParamType::Choice);
        Add("color", model::ParamType::Color)->SetColor(0x336699);
        Add("data", model::ParamType::CellBinding);
        page.SetContext(&context);
        page.Create(&group, "General", false, &owner, &group);
        ASSERT_TRUE(page.CreatePage(&main));
        page.ShowWindow(SW_SHOW);
    }
    void TearDown() override
    {
        page.DestroyWindow();
        PropUiTest::TearDown();
    }
    CParameter* Add(const std::string& name, model::ParamType type)
    {
        return group.Add(std::make_unique<CParameter>(name, type));
    }
    void Choices(const std::vector<std::string>& values, const std::string& current)
    {
        CValueList* list = group.FindParameter("mode")->GetValueList();
        list->ClearAllowed();
        for (const std::string& v : values)
            list->AddAllowed(v);
        list->GetPrototype().SetString(current, true);
    }
    CComboBox& Combo() { return *static_cast<CComboBox*>(page.GetDlgItem(IDC_MODE)); }

    CParameterSet group;
    BinderPage page;
};

TEST_F(ComponentPageTest, CheckBoxesShowTheirParameterAndCloseUpWithoutOne)
{
    const struct {
        const char* name;
        bool present, enabled, hide;
        bool bound, visible, usable;
    } cases[] = {
        {"found", true, true, false, true, true, true},
        {"switched off", true, false, true, true, true, false},
        {"missing", false, true, false, false, true, false},
        {"missing, hidden", false, true, true, false, false, false},
    };
    for (const auto& c : cases) {
        CParameterSet set;
        if (c.present) {
            CParameter* p = set.Add(std::make_unique<CParameter>("show", model::ParamType::Boolean));
            p->SetBool(true);
            p->SetEnabled(c.enabled);
        }
        CWnd* box = page.GetDlgItem(IDC_SHOW);
        box->ShowWindow(SW_SHOW);
        box->EnableWindow(TRUE);
        box->SendMessage(BM_SETCHECK, BST_UNCHECKED);
        EXPECT_EQ(page.BindCheckBoxInSet("show", IDC_SHOW, &set, c.hide), c.bound) << c.name;
        EXPECT_EQ((box->GetStyle() & WS_VISIBLE) != 0, c.visible) << c.name;
        EXPECT_EQ(box->IsWindowEnabled() != FALSE, c.usable) << c.name;
        if (c.bound) {
            EXPECT_EQ(box->SendMessage(BM_GETCHECK), BST_CHECKED) << c.name;
        }
    }
    // A parameter of another type is no check box's: it counts as missing.
    EXPECT_FALSE(page.BindCheckBox("color", IDC_SHOW, true));
    EXPECT_EQ(page.GetDlgItem(IDC_SHOW)->GetStyle() & WS_VISIBLE, 0u);
}

TEST_F(ComponentPageTest, AChoiceSelectsItsOwnItemAndACommitWritesWhatThePersonPicked)
{
    Choices({"Bar Chart", "Bar", "Line"}, "Bar");
    ASSERT_TRUE(page.BindComboBox("mode", IDC_MODE, false));
    EXPECT_EQ(Combo().GetCount(), 3);
    EXPECT_EQ(Combo().GetCurSel(), 1); // the equal item, not the first that begins with "Bar"
    EXPECT_TRUE(Combo().IsWindowEnabled());

    Combo().UserSelect(2);
    page.CommitComboBox("mode", IDC_MODE);
    EXPECT_EQ(group.FindParameter("mode")->GetValueList()->GetCurrentText(), "Line");
    EXPECT_EQ(owner.refreshes, (std::vector<int>{0}));

    // No selection: nothing is written and nobody is told.
    Combo().SetCurSel(-1);
    page.CommitComboBox("mode", IDC_MODE);
    page.CommitComboBox("nothing", IDC_MODE);
    EXPECT_EQ(owner.refreshes.size(), 1u);

    // An integer choice takes the picked text as its number.
    CValueList* list = group.FindParameter("mode")->GetValueList();
    list->SetInteger(true);
    list->ClearAllowed();
    for (const char* v : {"5", "10", "20"})
        list->AddAllowed(v);
    list->GetPrototype().SetInt(20);
    Combo().ResetContent();
    ASSERT_TRUE(page.BindComboBox("mode", IDC_MODE, false));
    EXPECT_EQ(Combo().GetLBText(Combo().GetCurSel()), "20");
    Combo().UserSelect(1);
    page.CommitComboBox("mode", IDC_MODE);
    EXPECT_EQ(list->GetPrototype().GetInt(), 10);

    // One allowed value: shown, chosen, but nothing to change.
    Choices({"Only"}, "Only");
    Combo().ResetContent();
    ASSERT_TRUE(page.BindComboBox("mode", IDC_MODE, false));
    EXPECT_EQ(Combo().GetCurSel(), 0);
    EXPECT_FALSE(Combo().IsWindowEnabled());
}

TEST_F(ComponentPageTest, AColourPickedFromTheButtonReachesTheParameterAndTheOwner)
{
    ASSERT_TRUE(page.BindColorButton("color", IDC_COLOR, page.color, true));
    EXPECT_EQ(page.color.GetColor(), SwapRedBlue(0x336699u));
    EXPECT_EQ(page.color.GetTextColor(), 0x010101u);

    dialogs->AnswerColour(std::nullopt); // the person cancels
    CUserInput::Click(page.color, CPoint(5, 5));
    EXPECT_EQ(group.FindParameter("color")->GetColor(), 0x336699u);
    EXPECT_TRUE(owner.refreshes.empty());

    std::array<COLORREF, 16> custom = colours;
    custom[3] = RGB(1, 2, 3);
    dialogs->AnswerColour(RGB(0xFF, 0x80, 0x00), custom);
    CUserInput::Click(page.color, CPoint(5, 5));
    EXPECT_EQ(group.FindParameter("color")->GetColor(), 0xFF8000u);
    EXPECT_EQ(page.color.GetColor(), RGB(0xFF, 0x80, 0x00));
    EXPECT_EQ(owner.refreshes, (std::vector<int>{0}));
    EXPECT_EQ(colours[3], RGB(1, 2, 3)); // the document's custom colours follow the dialog
    // The click is told twice: as a command (handled above) and as WM_NULL with the id.
    EXPECT_EQ(page.nullFrom, (std::vector<int>{IDC_COLOR, IDC_COLOR}));

    // A parameter switched off greys the button, or hides it when the page asks.
    group.FindParameter("color")->SetEnabled(false);
    EXPECT_TRUE(page.BindColorButton("color", IDC_COLOR, page.color, true));
    EXPECT_FALSE(page.color.IsWindowVisible());
    EXPECT_FALSE(page.BindColorButton("nothing", IDC_COLOR, page.color, false));
    EXPECT_EQ(page.color.GetColor(), RGB(0xC0, 0xC0, 0xC0));
}

TEST_F(ComponentPageTest, HelpFindsTheFocusedControlAndFallsBackToTheWebWithoutTheHelpFile)
{
    CInPlaceEdit edit;
    ASSERT_TRUE(page.ReplaceControl(edit, IDC_RANGE, nullptr));
    EXPECT_EQ(page.GetDlgItem(IDC_RANGE), nullptr);
    EXPECT_EQ(edit.GetDlgCtrlID(), kInPlaceEditId);
    edit.SetFocus();
    EXPECT_EQ(page.GetFocusedPageControlId(), IDC_RANGE);
    page.GetDlgItem(IDC_SHOW)->SetFocus();
    EXPECT_EQ(page.GetFocusedPageControlId(), IDC_SHOW);
    main.SetFocus();
    EXPECT_EQ(page.GetFocusedPageControlId(), 0);

    CRecordingShell& shell = UseRecordingShell();
    page.helpTopic = 42;
    EXPECT_EQ(page.SendMessage(WM_COMMANDHELP), TRUE);
    ASSERT_EQ(shell.requests.size(), 1u);
    EXPECT_EQ(shell.requests[0].kind, "help");
    EXPECT_EQ(shell.requests[0].detail, "context:42");
    shell.succeed = false;
    page.helpTopic = -1;
    // With no browser to show even the contents, the user is told where the pages are.
    boxes->Answer(IDOK);
    page.SendMessage(WM_COMMANDHELP);
    ASSERT_EQ(shell.requests.size(), 3u);
    EXPECT_EQ(shell.requests[2].kind, "open");
    EXPECT_EQ(shell.requests[2].target, CComponentPage::kOnlineHelpUrl);
    ASSERT_EQ(boxes->Log().size(), 1u);
    EXPECT_NE(boxes->Log()[0].text.find("No web browser could be started"), std::string::npos);
    ResetShellService();
    edit.DestroyWindow();
}

// Cells are picked in the imported workbook through its host.
class SelectRangeTest : public ComponentPageTest {
protected:
    struct Window : sheet::IExcelHostWindow {
        void PostImportMessage(sheet::ImportCode, long) override {}
        void EnableMainWindow(bool) override {}
        void ShowWarning(const std::string&, const std::string&) override {}
    };
    void SetUp() override
    {
        ComponentPageTest::SetUp();
        host = std::make_unique<CExcelHost>(&window,
                                            (testsupport::SourceDir() / "tests/data/workbooks/model.xlsx").string());
        auto scripted = std::make_unique<sheet::CScriptedRangePicker>();
        picker = scripted.get();
        host->SetRangePicker(std::move(scripted));
        host->SetWorkbookText("model.xlsx");
        host->StartWorker(&model);
        ASSERT_TRUE(host->WaitForWorker(10000));
        context.currentHost = [this] { return hostShown ? host.get() : nullptr; };
        context.cellModel = [this]() -> const CCellModel* { return &model; };
        context.variableTable = [this] { return &table; };
    }
    void TearDown() override
    {
        host.reset();
        ComponentPageTest::TearDown();
    }
    CCellBinding* Binding() { return group.FindParameter("data")->GetBinding(); }
    BOOL Pick(const std::string& text, const CRangeCheck* check)
    {
        picker->Answer(sheet::RangePickOutcome::Picked, text);
        return page.SelectRange(Binding(), IDC_RANGE, nullptr, false, check);
    }

    Window window;
    CCellModel model;
    CVariableTable table;
    std::unique_ptr<CExcelHost> host;
    sheet::CScriptedRangePicker* picker = nullptr;
    bool hostShown = true;
};

TEST_F(SelectRangeTest, APickedRangeIsCheckedBeforeItBindsTheParameter)
{
    using C = CRangeCheck;
    const char* formulaMessage = "Insert In Selections should not contain cells that have formulas";
    const struct {
        const char* range;
        CRangeCheck check;
        int answer; // 0: no box expected
        BOOL result;
        const char* box;
    } cases[] = {
        {"'Inputs'!$A$1:$D$3", {false, C::kSingleLine, 0, nullptr}, IDOK, FALSE, CComponentPage::kSingleLineText},
        {"'Inputs'!$A$1:$G$1", {false, C::kSingleLine, 0, nullptr}, 0, TRUE, nullptr},
        {"'Inputs'!$A$1:$D$3", {false, C::kExactCells, 12, nullptr}, 0, TRUE, nullptr},
        {"'Inputs'!$A$1:$E$3", {false, C::kExactCells, 12, nullptr}, IDOK, FALSE, CComponentPage::kExactCellsText},
        {"'Inputs'!$A$1:$C$100", {true, C::kMaxCells, 300, "TIP"}, 0, TRUE, nullptr},
        {"'Inputs'!$A$1:$A$301", {true, C::kMaxCells, 300, "TIP"}, IDNO, FALSE, "TIP"},
        {"'Inputs'!$A$1:$F$6", {false, C::kMaxRows | C::kMaxColumns, 5, nullptr}, IDOK, FALSE,
         CComponentPage::kMaxColumnsText},
        {"'Inputs'!$A$5:$B$5", {true, C::kNoFormulas, 0xFFFFFFFF, formulaMessage}, IDYES, TRUE, formulaMessage},
        {"'Inputs'!$B$5", {false, C::kNoFormulas, 0xFFFFFFFF, nullptr}, IDOK, FALSE, CComponentPage::kNoFormulasText},
    };
    for (const auto& c : cases) {
        boxes->Clear();
        Binding()->GetTexts() = {"before.xlsx", "'Inputs'!$A$9"};
        if (c.answer != 0)
            boxes->Answer(c.answer);
        EXPECT_EQ(Pick(c.range, &c.check), c.result) << c.range;
        if (c.box == nullptr) {
            EXPECT_TRUE(boxes->Log().empty()) << c.range;
        } else {
            ASSERT_EQ(boxes->Log().size(), 1u) << c.range;
            const auto& box = boxes->Log()[0];
            const std::string expected = std::string(c.box) + (c.check.askToContinue ? CComponentPage::kContinueText : "");
            EXPECT_EQ(box.text, expected) << c.range;
            EXPECT_EQ(box.caption, c.check.askToContinue ? "Warning" : "Error") << c.range;
        }
        if (c.result) {
            EXPECT_EQ(Binding()->GetTexts().rangeText, c.range);
            EXPECT_EQ(Binding()->GetTexts().workbookText, "model.xlsx");
            EXPECT_EQ(page.GetDlgItemText(IDC_RANGE), c.range);
            EXPECT_TRUE(Binding()->IsBound());
        } else {
            EXPECT_EQ(Binding()->GetTexts().rangeText, "'Inputs'!$A$9") << c.range;
        }
    }
    // The picker started from the binding's own range each time.
    EXPECT_EQ(picker->startTexts.front(), "'Inputs'!$A$9");
}

TEST_F(SelectRangeTest, WithoutAModelThePersonIsOfferedTheImportFirst)
{
    hostShown = false;
    int offers = 0;
    bool importMakesModel = false;
    context.importModel = [&] {
        ++offers;
        hostShown = importMakesModel;
        return true; // OK, whether or not a workbook came of it
    };
    boxes->Answer(IDOK);
    EXPECT_FALSE(page.SelectRange(Binding(), IDC_RANGE, nullptr, false, nullptr));
    EXPECT_EQ(boxes->Log().at(0).text, CComponentPage::kNoModelText);
    EXPECT_EQ(offers, 1);
    EXPECT_FALSE(Binding()->IsBound());

    importMakesModel = true;
    boxes->Answer(IDOK);
    EXPECT_TRUE(Pick("'Inputs'!$A$1", nullptr));
    EXPECT_TRUE(Binding()->IsBound());

    // Cancelling the pick changes nothing; the busy prompts come back on either way.
    std::vector<bool> busy;
    context.rangeSwitch = true;
    context.busyDialogs = [&](bool on) { busy.push_back(on); };
    picker->Answer(sheet::RangePickOutcome::Cancelled);
    EXPECT_FALSE(page.SelectRange(Binding(), IDC_RANGE, nullptr, false, nullptr));
    EXPECT_EQ(Binding()->GetTexts().rangeText, "'Inputs'!$A$1");
    EXPECT_EQ(busy, (std::vector<bool>{false, true}));

    // An emptied selection unbinds.
    picker->Answer(sheet::RangePickOutcome::Cleared);
    EXPECT_TRUE(page.SelectRange(Binding(), IDC_RANGE, nullptr, false, nullptr));
    EXPECT_FALSE(Binding()->IsBound());
    EXPECT_EQ(Binding()->GetTexts().rangeText, "");
}

} // namespace

#include "PropUiFixture.h"

#include "model/CellBinding.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "model/ValueList.h"
#include "platform/controls/InPlaceEdit.h"
#include "propui/ComponentPropertySheet.h"
#include "propui/ParameterListPage.h"
#include "propui/PropertyListCtrl.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/VariableTable.h"
#include "sheet/host/ExcelHost.h"
#include "tests/support/ScriptedRangePicker.h"

namespace {

// The plain page of a component the program has no page class for, used by a person.
class PropertyListTest : public PropUiTest {
protected:
    void SetUp() override
    {
        PropUiTest::SetUp();
        auto group = std::make_unique<CParameter>("General", model::ParamType::Group);
        CParameterSet* g = group->GetSet();
        Add(*g, "title", model::ParamType::Text)->SetUndefined();
        Add(*g, "note", model::ParamType::NoValue); // no row: the rows after it must not shift
        CParameter* value = Add(*g, "value", model::ParamType::Number);
        value->SetDouble(2.5);
        value->SetRange(ParamRange{0, 10, 0.5});
        CParameter* count = Add(*g, "count", model::ParamType::Integer);
        count->SetInt(9);
        count->SetRange(ParamRange{0, 10, 3});
        Add(*g, "show", model::ParamType::Boolean)->SetBool(false);
        Add(*g, "color", model::ParamType::Color)->SetColor(0x0000FF);
        CValueList* list = Add(*g, "mode", model::ParamType::Choice)->GetValueList();
        list->AddAllowed("fast");
        list->AddAllowed("slow");
        list->GetPrototype().SetString("fast", true);
        CParameter* data = Add(*g, "data", model::ParamType::CellBinding);
        auto bound = std::make_unique<CParameter>("data", model::ParamType::Number);
        data->GetBinding()->SetValue(std::move(bound));
        Add(*g, "picture", model::ParamType::OtherText)->SetString("logo.png");
        root.SetName("Gauge");
        root.Add(std::move(group));
        owner.type = "KVNoPagesSymbol";
        owner.title = "Gauge 1";

        sheet.SetContext(&context);
        ASSERT_EQ(sheet.BuildPages(&root, false, &owner), 1);
        ASSERT_TRUE(sheet.Create(&main, WS_POPUP | WS_CAPTION | WS_VISIBLE, 0));
        sheet.MoveWindow(CRect(600, 74, 910, 500));
        auto* page = dynamic_cast<CParameterListPage*>(sheet.GetComponentPage(0));
        ASSERT_NE(page, nullptr);
        list_ = page->GetList();
        ASSERT_NE(list_, nullptr);
        PumpUntilIdle();
    }
    void TearDown() override
    {
        sheet.DestroyWindow();
        PropUiTest::TearDown();
    }
    static CParameter* Add(CParameterSet& set, const std::string& name, model::ParamType type)
    {
        return set.Add(std::make_unique<CParameter>(name, type));
    }
    CParameter* Param(const char* name) { return root.GetAt(0)->GetSet()->FindParameter(name); }
    int Row(const char* name)
    {
        for (int i = 0; i < list_->GetRowCount(); ++i)
            if (list_->GetRowInfo(i)->name == name)
                return i;
        return -1;
    }
    void ClickValue(const char* name)
    {
        const CRect cell = list_->GetCellRect(Row(name), 1);
        CUserInput::Click(*list_, CPoint(cell.left + 10, cell.CenterPoint().y));
    }
    void ClickSquare(const char* name, bool upper)
    {
        const CRect square = list_->GetSquareRect(Row(name));
        CUserInput::Click(*list_, CPoint(square.CenterPoint().x, upper ? square.top + 2 : square.bottom - 2));
    }

    CParameterSet root;
    CComponentPropertySheet sheet;
    CPropertyListCtrl* list_ = nullptr;
};

TEST_F(PropertyListTest, EveryParameterWithAValueHasARowOfItsKind)
{
    std::vector<std::pair<std::string, int>> rows;
    for (int i = 0; i < list_->GetRowCount(); ++i)
        rows.emplace_back(list_->GetRowInfo(i)->name, list_->GetRowInfo(i)->kind);
    EXPECT_EQ(rows, (std::vector<std::pair<std::string, int>>{{"title", kRowText},
                                                              {"value", kRowDouble},
                                                              {"count", kRowInteger},
                                                              {"show", kRowBoolean},
                                                              {"color", kRowColor},
                                                              {"mode", kRowChoice},
                                                              {"data", kRowDouble},
                                                              {"picture", kRowFile}}));
    EXPECT_EQ(list_->GetRowValueText(Row("title")), ""); // undefined shows empty
    EXPECT_EQ(list_->GetRowValueText(Row("value")), "2.5");
    EXPECT_EQ(list_->GetRowValueText(Row("show")), "FALSE");
    EXPECT_EQ(list_->GetRowInfo(Row("color"))->colour, RGB(0, 0, 0xFF));
    EXPECT_EQ(list_->GetRowInfo(Row("data"))->linkFlag, kLinkable);
    EXPECT_EQ(sheet.GetWindowText(), "Gauge 1 Properties");
}

TEST_F(PropertyListTest, ATypedValueIsWrittenOnlyWhenItChangedAndEscapePutsTheOldTextBack)
{
    // Opening the editor and leaving it untouched writes nothing: the value stays undefined.
    ClickValue("title");
    ASSERT_NE(list_->GetInPlaceEdit(), nullptr);
    ClickValue("value");
    EXPECT_TRUE(Param("title")->IsUndefined());
    EXPECT_TRUE(owner.refreshes.empty());

    // Escape: the typed text is dropped and the cell shows what it showed.
    ClickValue("title");
    CUserInput::TypeText("Oops");
    CUserInput::PressKey(VK_ESCAPE);
    EXPECT_EQ(list_->GetRowValueText(Row("title")), "");
    EXPECT_TRUE(Param("title")->IsUndefined());
    EXPECT_TRUE(owner.refreshes.empty());

    ClickValue("title");
    CUserInput::TypeText("Sales & Margin");
    CUserInput::PressKey(VK_RETURN);
    EXPECT_EQ(Param("title")->GetString(), "Sales & Margin");
    EXPECT_EQ(list_->GetRowValueText(Row("title")), "Sales & Margin");
    EXPECT_EQ(owner.refreshes, (std::vector<int>{0}));

    // A number is clamped to its range; the row after the skipped parameter writes its own.
    ClickValue("value");
    CUserInput::TypeText("25"); // over the selected text
    CUserInput::PressKey(VK_RETURN);
    EXPECT_EQ(Param("value")->GetDouble(), 10.0);
    EXPECT_EQ(list_->GetRowValueText(Row("value")), "10");
    EXPECT_EQ(owner.refreshes.size(), 2u);
    EXPECT_EQ(Param("title")->GetString(), "Sales & Margin");
}

TEST_F(PropertyListTest, TheSpinSquareStepsWithinTheRange)
{
    ClickSquare("count", true); // 9 + 3 is cut to 10
    EXPECT_EQ(Param("count")->GetInt(), 10);
    ClickSquare("count", true); // at the top: no change, nobody told
    EXPECT_EQ(Param("count")->GetInt(), 10);
    EXPECT_EQ(owner.refreshes.size(), 1u);
    ClickSquare("count", false);
    EXPECT_EQ(Param("count")->GetInt(), 7);
    EXPECT_EQ(list_->GetRowValueText(Row("count")), "7");
    EXPECT_EQ(owner.refreshes.size(), 2u);
}

TEST_F(PropertyListTest, ChoicesTogglesAndColoursAreEditedInPlace)
{
    ClickValue("mode");
    CInPlaceCombo* combo = list_->GetInPlaceCombo();
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->GetLBText(combo->GetCurSel()), "fast");
    combo->UserSelect(1);
    CUserInput::PressKey(VK_RETURN);
    EXPECT_EQ(Param("mode")->GetValueList()->GetCurrentText(), "slow");
    EXPECT_EQ(list_->GetInPlaceCombo(), nullptr);

    ClickValue("show");
    EXPECT_TRUE(Param("show")->GetBool());
    EXPECT_EQ(list_->GetRowValueText(Row("show")), "TRUE");

    dialogs->AnswerColour(RGB(0x12, 0x34, 0x56));
    ClickSquare("color", true);
    EXPECT_EQ(Param("color")->GetColor(), 0x123456u);
    EXPECT_EQ(owner.refreshes.size(), 3u);

    dialogs->AnswerColour(std::nullopt);
    ClickSquare("color", true);
    EXPECT_EQ(owner.refreshes.size(), 3u);

    dialogs->AnswerFile("/pictures/banner.png");
    ClickSquare("picture", true);
    EXPECT_EQ(Param("picture")->GetString(), "/pictures/banner.png");
    EXPECT_EQ(owner.refreshes.size(), 4u);
}

TEST_F(PropertyListTest, ANumericEditRefusesWhatIsNoPartOfANumber)
{
    CInPlaceEdit edit;
    ASSERT_TRUE(edit.Create(&main, CRect(0, 0, 80, 20), 7, true));
    edit.SetNumericFilter(true);
    CUserInput::TypeText("-1a.5+.-x");
    EXPECT_EQ(edit.GetWindowText(), "-1.5");
    EXPECT_EQ(ui::BeepCount(), 5);
    edit.DestroyWindow();
}

TEST_F(PropertyListTest, TheLinkColumnBindsARowToPickedCells)
{
    // Without a model: the import prompt, nothing changes.
    boxes->Answer(IDOK);
    CRect link = list_->GetCellRect(Row("data"), 2);
    CUserInput::Click(*list_, link.CenterPoint());
    ASSERT_EQ(boxes->Log().size(), 1u);
    EXPECT_EQ(boxes->Log()[0].text, "Please import a model or data before selecting a range.");

    struct Window : sheet::IExcelHostWindow {
        void PostImportMessage(sheet::ImportCode, long) override {}
        void EnableMainWindow(bool) override {}
        void ShowWarning(const std::string&, const std::string&) override {}
    } window;
    CCellModel model;
    CVariableTable table;
    CExcelHost host(&window, (testsupport::SourceDir() / "tests/data/workbooks/model.xlsx").string());
    auto scripted = std::make_unique<sheet::CScriptedRangePicker>();
    sheet::CScriptedRangePicker* picker = scripted.get();
    host.SetRangePicker(std::move(scripted));
    host.StartWorker(&model);
    ASSERT_TRUE(host.WaitForWorker(10000));
    context.currentHost = [&] { return &host; };
    context.cellModel = [&]() -> const CCellModel* { return &model; };
    context.variableTable = [&] { return &table; };

    picker->Answer(sheet::RangePickOutcome::Picked, "'Inputs'!$A$5");
    CUserInput::Click(*list_, link.CenterPoint());
    CCellBinding* binding = Param("data")->GetBinding();
    EXPECT_TRUE(binding->IsBound());
    EXPECT_EQ(binding->GetTexts().rangeText, "'Inputs'!$A$5");
    EXPECT_EQ(list_->GetRowInfo(Row("data"))->linkFlag, kLinked);
    EXPECT_EQ(owner.refreshes, (std::vector<int>{0}));

    picker->Answer(sheet::RangePickOutcome::Cancelled);
    CUserInput::Click(*list_, link.CenterPoint());
    EXPECT_TRUE(binding->IsBound());
    EXPECT_EQ(owner.refreshes.size(), 1u);
    sheet.DestroyWindow();
}

} // namespace

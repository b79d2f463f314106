#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "platform/drawing/Png.h"
#include "platform/window/RasterWindowHost.h"
#include "platform/window/UserInput.h"
#include "propui/NumericFormatCtrl.h"
#include "propui/PropertyOwner.h"
#include "tests/propui/NumericFormatCases.h"
#include "tests/support/TestSupport.h"
#include "tests/support/UiTest.h"

#include <gtest/gtest.h>

using namespace numfmt;
using model::ParamType;

TEST(NumericFormatCodes, EveryCaseWritesItsCodeAndReadsBackTheSameSettings)
{
    for (const auto& c : numfmt_cases::kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BuildCode(c.settings), c.code);
        Settings back = ReadCode(c.code);
        EXPECT_EQ(BuildCode(back), c.code);
        int kind = c.settings.kind;
        // Numeric with the separator and two decimals is the plain currency code.
        if (!(kind == Numeric && c.settings.separator && c.settings.decimals == 2)) {
            EXPECT_EQ(back.kind, kind);
        }
        EXPECT_EQ(back.choice, c.settings.choice);
        if (kind == Numeric || kind == Currency || kind == Percent) {
            EXPECT_EQ(back.decimals, c.settings.decimals);
        }
        if (kind == Currency) {
            EXPECT_EQ(back.prefixOn, c.settings.prefixOn);
            EXPECT_EQ(back.suffixOn, c.settings.suffixOn);
            if (back.prefixOn) {
                EXPECT_EQ(back.prefix, c.settings.prefix);
            }
            if (back.suffixOn) {
                EXPECT_EQ(back.suffix, c.settings.suffix);
            }
        }
    }
}

TEST(NumericFormatCodes, ReadsTheCodesOfOtherShapes)
{
    struct Case {
        const char* code;
        int kind;
        int decimals;
        bool separator;
    };
    const Case cases[] = {
        {"", General, 2, false},
        {"@", Text, 2, false},
        {"#,##0.00", Currency, 2, true},
        {"#,##0", Numeric, 0, true},
        {"0.000%", Percent, 3, false},
        {"0%", Percent, 0, false},
        {"General", FromSpreadsheet, 2, false},
        {"#,###", FromSpreadsheet, 2, false},
        {"_(* #,##0_)", FromSpreadsheet, 0, true},
        {"0.00E+00", Numeric, 2, false},
        {"#,##0.00 \"each\" x", FromSpreadsheet, 2, true}, // quoted text amid the number
        {"\"$#,##0.00", FromSpreadsheet, 2, false},       // an unclosed quote: all text
        {"0.0000000000000000000000000", Numeric, kMaxDecimals, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        Settings s = ReadCode(c.code);
        EXPECT_EQ(s.kind, c.kind);
        EXPECT_EQ(s.decimals, c.decimals);
        EXPECT_EQ(s.separator, c.separator);
    }
    // Typed affix text is never read as part of the number.
    Settings typed = ReadCode("\"0.\"#,##0.00");
    EXPECT_EQ(typed.decimals, 2);
    EXPECT_EQ(typed.prefix, "0.");
    EXPECT_EQ(ReadCode("\"Red\"0").choice, MinusSign);
    // An affix longer than the edits take is cut to three characters.
    Settings longPrefix = ReadCode("\"EURO\"#,##0");
    EXPECT_EQ(longPrefix.kind, Currency);
    EXPECT_EQ(longPrefix.prefix, "EUR");
}

TEST(NumericFormatCodes, SampleListsFollowDecimalsSeparatorAndAffixes)
{
    EXPECT_EQ(SampleNumber(0, false), "1234");
    EXPECT_EQ(SampleNumber(2, false), "1234.10");
    EXPECT_EQ(SampleNumber(12, true), "1,234.109876543210");
    EXPECT_EQ(SampleList(Numeric, 2, true, "", ""),
              (std::vector<std::string>{"-1,234.10", "1,234.10 (red)", "(1,234.10)", "(1,234.10) (red)"}));
    EXPECT_EQ(SampleList(Currency, 0, false, "$", ""),
              (std::vector<std::string>{"-$1,234", "$1,234 (red)", "$(1,234)", "$(1,234) (red)"}));
    EXPECT_EQ(SampleList(Currency, 1, false, "", "kr"),
              (std::vector<std::string>{"-1,234.0kr", "1,234.0kr (red)", "(1,234.0)kr", "(1,234.0)kr (red)"}));
    EXPECT_EQ(SampleList(Date, 0, false, "", "").size(), 12u);
    EXPECT_EQ(SampleList(Time, 0, false, "", "")[3], "1:30:55:PM");
    EXPECT_TRUE(SampleList(Percent, 3, false, "", "").empty());
}

namespace {

struct CountingOwner : IPropertyOwner {
    int refreshed = 0;
    void Refresh(int flag) override
    {
        EXPECT_EQ(flag, 0);
        ++refreshed;
    }
    void MarkDocumentChanged() override {}
    std::string GetTitleName() const override { return "Gauge_1"; }
    std::string GetComponentTypeName() const override { return "KVGaugeSymbol"; }
    CPropertyMap* GetFirstPropertyMap() override { return nullptr; }
    int GetComponentCount() const override { return 1; }
};

std::unique_ptr<CParameter> FormatGroup(const std::string& code)
{
    auto group = std::make_unique<CParameter>("formatValue", ParamType::Group);
    auto numFormat = std::make_unique<CParameter>("numFormat", ParamType::Text);
    numFormat->SetString(code);
    group->GetSet()->Add(std::move(numFormat));
    return group;
}

class NumericFormatCtrlTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        host = &InstallRasterWindowHost();
        ASSERT_TRUE(parent.CreateEx(0, "Owner", "page", WS_POPUP | WS_VISIBLE, CRect(0, 0, 360, 160), nullptr, 0));
        ASSERT_TRUE(ctrl.CreateEx(0, CNumericFormatCtrl::kClassName, "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 330, 150),
                                  &parent, 1200));
        font.CreatePointFont(80, "MS Shell Dlg");
    }
    void TearDown() override
    {
        ctrl.DestroyWindow();
        parent.DestroyWindow();
        UiTest::TearDown();
    }
    void Load(const std::string& code, CParameter* source = nullptr)
    {
        group = FormatGroup(code);
        ASSERT_TRUE(ctrl.Create(group.get(), &owner, &font, source, false));
    }
    std::string Written() const { return group->GetSet()->FindParameter("numFormat")->GetString(); }
    CWnd& Child(int id) { return *ctrl.GetDlgItem(id); }
    CComboBox& Combo(int id) { return static_cast<CComboBox&>(Child(id)); }
    bool Shown(int id) { return Child(id).IsWindowVisible() != FALSE; }
    bool Enabled(int id) { return Child(id).IsWindowEnabled() != FALSE; }
    void ClickBox(int id) { ASSERT_TRUE(CUserInput::Click(Child(id), CPoint(5, 5))); }
    void Retype(int id, const std::string& text)
    {
        static_cast<CEdit&>(Child(id)).SetFocus();
        static_cast<CEdit&>(Child(id)).SetSel(0, -1);
        CUserInput::TypeText(text);
    }
    void Keep(const std::string& name)
    {
        WritePng(testsupport::ArtefactDir("propui") / (name + ".png"), host->Snapshot(parent));
    }

    CRasterWindowHost* host = nullptr;
    CWnd parent;
    CNumericFormatCtrl ctrl;
    CFont font;
    CountingOwner owner;
    std::unique_ptr<CParameter> group;
};

} // namespace

TEST_F(NumericFormatCtrlTest, LoadsACurrencyCodeIntoItsChildrenAndRebuildsTheSameText)
{
    const std::string code = "\"$\"#,##0.00_);[Red](\"$\"#,##0.00)";
    Load(code);
    EXPECT_EQ(ctrl.GetKind(), Currency);
    EXPECT_EQ(Combo(CNumericFormatCtrl::IdKindList).GetLBText(Currency), "Currency");
    EXPECT_EQ(static_cast<CSpinEdit&>(Child(CNumericFormatCtrl::IdDecimals)).GetText(), "2");
    EXPECT_EQ(static_cast<CButton&>(Child(CNumericFormatCtrl::IdSeparator)).GetCheck(), BST_CHECKED);
    EXPECT_EQ(static_cast<CButton&>(Child(CNumericFormatCtrl::IdPrefixCheck)).GetCheck(), BST_CHECKED);
    EXPECT_TRUE(Enabled(CNumericFormatCtrl::IdPrefixEdit));
    EXPECT_EQ(Combo(CNumericFormatCtrl::IdSecondList).GetCurSel(), ParenthesesRed);
    EXPECT_EQ(Combo(CNumericFormatCtrl::IdSecondList).GetLBText(2), "$(1,234.10)");
    EXPECT_TRUE(Shown(CNumericFormatCtrl::IdSuffixCheck));
    EXPECT_FALSE(Shown(CNumericFormatCtrl::IdFormatText));
    EXPECT_EQ(ctrl.CurrentCode(), code);
    Keep("numeric-format-currency");
    EXPECT_EQ(owner.refreshed, 0) << "loading writes nothing";

    // Checking Suffix clears Prefix and moves the affix behind the number.
    ClickBox(CNumericFormatCtrl::IdSuffixCheck);
    EXPECT_EQ(static_cast<CButton&>(Child(CNumericFormatCtrl::IdPrefixCheck)).GetCheck(), BST_UNCHECKED);
    EXPECT_FALSE(Enabled(CNumericFormatCtrl::IdPrefixEdit));
    Retype(CNumericFormatCtrl::IdSuffixEdit, "kr");
    EXPECT_EQ(Written(), "#,##0.00\"kr\"_);[Red](#,##0.00\"kr\")");
    EXPECT_EQ(Combo(CNumericFormatCtrl::IdSecondList).GetCurSel(), ParenthesesRed) << "the style is kept";
    EXPECT_GE(owner.refreshed, 2);

    // And that code loads back as the same settings.
    ctrl.LoadProperties(0, false);
    EXPECT_EQ(ctrl.GetKind(), Currency);
    EXPECT_EQ(Child(CNumericFormatCtrl::IdSuffixEdit).GetWindowText(), "kr");
}

TEST_F(NumericFormatCtrlTest, AForeignCodeShowsReadOnlyUntilAKindIsChosen)
{
    Load("#,###");
    EXPECT_EQ(ctrl.GetKind(), FromSpreadsheet);
    EXPECT_EQ(Combo(CNumericFormatCtrl::IdKindList).GetCount(), 8);
    EXPECT_TRUE(Shown(CNumericFormatCtrl::IdFormatText));
    EXPECT_FALSE(Enabled(CNumericFormatCtrl::IdFormatText));
    EXPECT_EQ(Child(CNumericFormatCtrl::IdFormatText).GetWindowText(), "#,###");
    EXPECT_EQ(Child(CNumericFormatCtrl::IdSecondLabel).GetWindowText(), "Format String:");
    Keep("numeric-format-from-spreadsheet");
    EXPECT_EQ(owner.refreshed, 0);

    Combo(CNumericFormatCtrl::IdKindList).UserSelect(Numeric);
    EXPECT_EQ(Combo(CNumericFormatCtrl::IdKindList).GetCount(), 7);
    EXPECT_EQ(ctrl.GetKind(), Numeric);
    EXPECT_EQ(Written(), "0.00") << "a foreign code leaves the number settings as they were";
    EXPECT_EQ(owner.refreshed, 1);
}

// The decimal places are a spin from 0 to 20: its arrows step, and a typed number is written
// when it is finished, not keystroke by keystroke.
TEST_F(NumericFormatCtrlTest, DecimalsRunFromZeroToTwentyByArrowsOrTyped)
{
    Load("0.0%");
    EXPECT_EQ(ctrl.GetKind(), Percent);
    EXPECT_FALSE(Shown(CNumericFormatCtrl::IdSecondList));
    ASSERT_TRUE(Shown(CNumericFormatCtrl::IdDecimals));
    auto* spin = dynamic_cast<CSpinEdit*>(&Child(CNumericFormatCtrl::IdDecimals));
    ASSERT_NE(spin, nullptr);
    EXPECT_EQ(spin->GetText(), "1");
    ASSERT_TRUE(CUserInput::Click(*spin->UpArrow(), CPoint(3, 3)));
    EXPECT_EQ(Written(), "0.00%");
    ASSERT_TRUE(CUserInput::Click(*spin->DownArrow(), CPoint(3, 3)));
    ASSERT_TRUE(CUserInput::Click(*spin->DownArrow(), CPoint(3, 3)));
    ASSERT_TRUE(CUserInput::Click(*spin->DownArrow(), CPoint(3, 3)));
    EXPECT_EQ(Written(), "0%") << "the arrows stop at 0";
    EXPECT_EQ(spin->GetText(), "0");
    Keep("numeric-format-decimals");

    const int told = owner.refreshed;
    CEdit& edit = *spin->EditPart();
    edit.SetFocus();
    edit.SetSel(0, -1);
    CUserInput::TypeText("4");
    EXPECT_EQ(Written(), "0%") << "written before it was finished";
    CUserInput::TypeText("5");
    CUserInput::PressKey(VK_RETURN);
    EXPECT_EQ(ctrl.GetDecimals(), kMaxDecimals);
    EXPECT_EQ(spin->GetText(), "20");
    EXPECT_EQ(Written(), "0." + std::string(20, '0') + "%");
    EXPECT_EQ(owner.refreshed, told + 1);
}

TEST_F(NumericFormatCtrlTest, DatesAndTimesChooseFromTheirSamples)
{
    Load("m/d/yy h:mm;@");
    EXPECT_EQ(ctrl.GetKind(), Date);
    EXPECT_EQ(Combo(CNumericFormatCtrl::IdSecondList).GetCurSel(), 10);
    EXPECT_EQ(Child(CNumericFormatCtrl::IdSecondLabel).GetWindowText(), "Type");
    Keep("numeric-format-date");
    Combo(CNumericFormatCtrl::IdKindList).UserSelect(Time);
    EXPECT_EQ(Written(), "h:mm;@");
    Combo(CNumericFormatCtrl::IdSecondList).UserSelect(1);
    EXPECT_EQ(Written(), "[$-409]h:mm AM/PM;@");
    Combo(CNumericFormatCtrl::IdKindList).UserSelect(Text);
    EXPECT_EQ(Written(), "@");
    EXPECT_FALSE(Shown(CNumericFormatCtrl::IdSecondLabel));
}

TEST_F(NumericFormatCtrlTest, WritesEveryRowOfACellTableAndLocksForTextSources)
{
    // A cell table: two columns, each with rows whose items hold a formatted group.
    auto table = std::make_unique<CParameter>("values", ParamType::CellTable);
    for (int col = 0; col < 2; ++col) {
        auto column = std::make_unique<CParameter>(std::to_string(col), ParamType::List);
        for (int row = 0; row < 2; ++row) {
            auto item = std::make_unique<CParameter>(std::to_string(row), ParamType::List);
            item->GetSet()->Add(FormatGroup("0"));
            column->GetSet()->Add(std::move(item));
        }
        table->GetSet()->Add(std::move(column));
    }
    auto numFormatAt = [&](int col, int row) {
        return table->GetElement(col)->GetElement(row)->GetElement(0)->GetSet()->FindParameter("numFormat");
    };
    ASSERT_TRUE(ctrl.Create(table.get(), &owner, &font, nullptr, false));
    ctrl.LoadProperties(1, false);
    Combo(CNumericFormatCtrl::IdKindList).UserSelect(Percent);
    EXPECT_EQ(numFormatAt(0, 1)->GetString(), "0%");
    EXPECT_EQ(numFormatAt(1, 1)->GetString(), "0%");
    EXPECT_EQ(numFormatAt(0, 0)->GetString(), "0") << "other rows are left alone";

    CParameter text("label", ParamType::Text);
    CNumericFormatCtrl locked;
    ASSERT_TRUE(locked.CreateEx(0, CNumericFormatCtrl::kClassName, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 140),
                                &parent, 1201));
    auto lockedGroup = FormatGroup("0");
    ASSERT_TRUE(locked.Create(lockedGroup.get(), &owner, &font, &text, false));
    EXPECT_FALSE(locked.GetDlgItem(CNumericFormatCtrl::IdKindList)->IsWindowEnabled());
    EXPECT_FALSE(locked.GetDlgItem(CNumericFormatCtrl::IdDecimals)->IsWindowEnabled());
    locked.DestroyWindow();

    CNumericFormatCtrl unbound;
    ASSERT_TRUE(unbound.CreateEx(0, CNumericFormatCtrl::kClassName, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 140),
                                 &parent, 1202));
    EXPECT_FALSE(unbound.Create(nullptr, &owner, &font, nullptr, true));
    EXPECT_FALSE(unbound.IsWindowVisible());
    EXPECT_FALSE(unbound.GetDlgItem(CNumericFormatCtrl::IdKindList)->IsWindowEnabled());
    unbound.DestroyWindow();
}

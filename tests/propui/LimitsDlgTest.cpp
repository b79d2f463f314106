#include "PropUiFixture.h"

#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "platform/controls/Button.h"
#include "platform/controls/SpinEdit.h"
#include "propui/AlertControl.h"
#include "propui/LimitsDlg.h"

using model::ParamType;

namespace {

// A gauge's alert group with the given thresholds, one more band than thresholds.
std::unique_ptr<CParameterSet> Alerts(const std::vector<double>& pcts, const char* type = "high")
{
    auto set = std::make_unique<CParameterSet>();
    set->Add(std::make_unique<CParameter>("alertType", ParamType::Text))->SetString(type);
    auto* list = set->Add(std::make_unique<CParameter>("alertPcts", ParamType::List));
    for (std::size_t i = 0; i < pcts.size(); ++i)
        list->GetSet()->Add(std::make_unique<CParameter>(std::to_string(i), ParamType::Number))->SetDouble(pcts[i]);
    auto* colours = set->Add(std::make_unique<CParameter>("alertColors", ParamType::List));
    for (std::size_t i = 0; i <= pcts.size(); ++i)
        colours->GetSet()->Add(std::make_unique<CParameter>(std::to_string(i), ParamType::Color))->SetColor(0x339933);
    return set;
}

// The limits button of an alert control on a page, and the dialog it opens driven through
// its spin edits.
class LimitsDlgTest : public PropUiTest {
protected:
    void SetUp() override
    {
        PropUiTest::SetUp();
        ASSERT_TRUE(alert.CreateEx(0, CAlertControl::kClassName, "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 330, 100),
                                   &main, 1005));
    }
    void TearDown() override
    {
        alert.DestroyWindow();
        EXPECT_TRUE(ui::UnansweredDialogs().empty());
        PropUiTest::TearDown();
    }
    // Opens the dialog from the control's button; `drive` acts in it as the person does.
    void OpenLimits(std::function<void(CLimitsDlg&)> drive)
    {
        bool opened = false;
        ui::SetDialogHookByCaption("Control Panel Limits", [&](CDialog& dlg) {
            opened = true;
            drive(static_cast<CLimitsDlg&>(dlg));
        });
        static_cast<CButton*>(alert.GetDlgItem(CAlertControl::kLimitsButton))->Click();
        EXPECT_TRUE(opened);
    }
    // Clicks into the field, rubs out what it shows, types and presses Enter.
    static void Type(CSpinEdit& spin, const std::string& text)
    {
        CEdit& field = *spin.EditPart();
        CRect r;
        field.GetClientRect(&r);
        CUserInput::Click(field, r.CenterPoint());
        CUserInput::PressKey(VK_END);
        for (std::size_t i = spin.GetText().size(); i > 0; --i)
            CUserInput::PressKey(VK_BACK);
        CUserInput::TypeText(text);
        CUserInput::PressKey(VK_RETURN);
    }
    static void Step(CSpinEdit& spin, bool up, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            ui::ClickWindow(up ? *spin.UpArrow() : *spin.DownArrow());
    }

    CAlertControl alert;
};

} // namespace

TEST_F(LimitsDlgTest, TheLimitsTypedInTheDialogReachTheAlertBarButNeverCutAThreshold)
{
    auto set = Alerts({30, 70});
    ASSERT_TRUE(alert.Create(set.get(), &owner, 0, 100));
    OpenLimits([&](CLimitsDlg& dlg) {
        EXPECT_EQ(dlg.MinimumEdit()->GetText(), "0");
        EXPECT_EQ(dlg.MaximumEdit()->GetText(), "100");
        EXPECT_TRUE(dlg.MaximumEdit()->IsWindowEnabled());
        Step(*dlg.MinimumEdit(), true, 3);
        Type(*dlg.MaximumEdit(), "250");
        EXPECT_EQ(dlg.GetMinimum(), 3);
        EXPECT_EQ(dlg.GetMaximum(), 250);
        WritePng(artefacts / "limits-dialog.png", raster->Snapshot(dlg));
        static_cast<CButton*>(dlg.GetDlgItem(IDOK))->Click();
    });
    EXPECT_EQ(alert.GetMinimum(), 3);
    EXPECT_EQ(alert.GetMaximum(), 250);
    // Each committed spin change refreshes the canvas object, as the spin edits of a page do.
    EXPECT_GE(owner.refreshes.size(), 4u);

    // Limits inside the thresholds give way to them; Cancel keeps what there was.
    OpenLimits([&](CLimitsDlg& dlg) {
        Type(*dlg.MinimumEdit(), "50");
        Type(*dlg.MaximumEdit(), "60");
        static_cast<CButton*>(dlg.GetDlgItem(IDOK))->Click();
    });
    EXPECT_EQ(alert.GetMinimum(), 30);
    EXPECT_EQ(alert.GetMaximum(), 70);
    OpenLimits([&](CLimitsDlg& dlg) {
        Type(*dlg.MaximumEdit(), "900");
        static_cast<CButton*>(dlg.GetDlgItem(IDCANCEL))->Click();
    });
    EXPECT_EQ(alert.GetMaximum(), 70);
}

TEST_F(LimitsDlgTest, TheValueNotJustChangedGivesWayWithinTheRange)
{
    struct Case {
        const char* what;
        int minimum, maximum;
        bool changeMaximum;
        std::string typed;
        int wantMinimum, wantMaximum;
    } cases[] = {
        {"maximum typed onto the minimum", 10, 50, true, "10", 10, 11},
        {"maximum typed below the minimum", 10, 50, true, "4", 10, 11},
        {"minimum typed onto the maximum", 10, 50, false, "50", 49, 50},
        {"minimum typed past the range", 10, 50, false, "5000", 49, 50},
        // Limits a document carried outside 0..999: the other value moves instead of leaving it.
        {"maximum lowered onto a top minimum", 999, 1200, true, "999", 998, 999},
        {"minimum raised onto a bottom maximum", -15, 0, false, "0", 0, 1},
    };
    for (const Case& c : cases) {
        CLimitsDlg dlg(&main);
        dlg.SetValues(c.minimum, c.maximum, false, nullptr);
        ui::SetDialogHookByCaption("Control Panel Limits", [&](CDialog&) {
            Type(c.changeMaximum ? *dlg.MaximumEdit() : *dlg.MinimumEdit(), c.typed);
            EXPECT_EQ(dlg.MinimumEdit()->GetText(), std::to_string(c.wantMinimum)) << c.what;
            EXPECT_EQ(dlg.MaximumEdit()->GetText(), std::to_string(c.wantMaximum)) << c.what;
            dlg.EndDialog(IDOK);
        });
        ASSERT_EQ(dlg.DoModal(), IDOK) << c.what;
        EXPECT_EQ(dlg.GetMinimum(), c.wantMinimum) << c.what;
        EXPECT_EQ(dlg.GetMaximum(), c.wantMaximum) << c.what;
    }
}

TEST_F(LimitsDlgTest, InTheMiddleModeTheMaximumIsFixedAndATypedMinimumCountsOnOk)
{
    auto set = Alerts({20, 60}, "mid");
    ASSERT_TRUE(alert.Create(set.get(), 0, 100));
    OpenLimits([&](CLimitsDlg& dlg) {
        EXPECT_FALSE(dlg.MaximumEdit()->IsWindowEnabled());
        EXPECT_FALSE(dlg.GetDlgItem(CLimitsDlg::kMaximumLabelId)->IsWindowEnabled());
        // Typed but not yet committed when OK is pressed.
        dlg.MinimumEdit()->SetText("7");
        static_cast<CButton*>(dlg.GetDlgItem(IDOK))->Click();
    });
    EXPECT_EQ(alert.GetMinimum(), 7);
    EXPECT_EQ(alert.GetMaximum(), 100);
    EXPECT_TRUE(owner.refreshes.empty()); // no canvas object was handed to this control
}

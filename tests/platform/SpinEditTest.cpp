// The spin edit as a person uses it: arrow clicks and holds, typed values, on parameters and
// on plain integers.

#include "UiFixture.h"

#include "model/Parameter.h"
#include "platform/controls/SpinEdit.h"
#include "platform/controls/Edit.h"
#include "platform/dialogs/Dialog.h"
#include "platform/docview/WinApp.h"
#include "platform/window/UserInput.h"

namespace {

// A parent that counts the change messages the field sends.
class Parent : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SPINEDIT_CHANGED)
            changes.push_back(static_cast<int>(wParam));
        return CWnd::WindowProc(message, wParam, lParam);
    }
    std::vector<int> changes;
};

class SpinEditTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        ASSERT_TRUE(parent.CreateEx(0, "", "", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
        ASSERT_TRUE(spin.Create(WS_VISIBLE | WS_TABSTOP, CRect(10, 10, 90, 30), &parent, 77));
    }
    void TearDown() override
    {
        spin.DestroyWindow();
        parent.DestroyWindow();
        UiTest::TearDown();
    }
    void Up() { ui::ClickWindow(*spin.UpArrow()); }
    void Down() { ui::ClickWindow(*spin.DownArrow()); }

    Parent parent;
    CSpinEdit spin;
};

TEST_F(SpinEditTest, ArrowsStepParametersByTheirKindAndRange)
{
    // A number without a range: tenths, and stepping down near zero lands on zero.
    CParameter number("alpha", model::ParamType::Number);
    number.SetDouble(0.25);
    int told = 0;
    ASSERT_TRUE(spin.BindParameter(&number, [&] { ++told; }, nullptr, false, false));
    EXPECT_EQ(spin.GetText(), "0.25");
    Down();
    EXPECT_DOUBLE_EQ(number.GetDouble(), 0.1);
    Down();
    EXPECT_EQ(number.GetDouble(), 0.0);
    EXPECT_EQ(spin.GetText(), "0");
    EXPECT_EQ(told, 2);
    EXPECT_EQ(parent.changes, (std::vector<int>{77, 77}));

    // An integer without a range steps by one whatever the step; with {0, 10, 2} by two,
    // held at the top.
    CParameter whole("count", model::ParamType::Integer);
    whole.SetInt(3);
    spin.BindParameter(&whole, nullptr, nullptr, false, false);
    Up();
    EXPECT_EQ(whole.GetInt(), 4);
    whole.SetInt(0);
    whole.SetRange(ParamRange{0, 10, 2});
    spin.BindParameter(&whole, nullptr, nullptr, false, false);
    for (int i = 0; i < 7; ++i)
        Up();
    EXPECT_EQ(whole.GetInt(), 10);
    EXPECT_EQ(spin.GetText(), "10");

    // Negated: the field shows the opposite, and up lowers the stored value.
    whole.SetRange(std::nullopt);
    whole.SetInt(5);
    spin.BindParameter(&whole, nullptr, nullptr, false, true);
    EXPECT_EQ(spin.GetText(), "-5");
    Up();
    EXPECT_EQ(whole.GetInt(), 4);
    EXPECT_EQ(spin.GetText(), "-4");

    // Without a parameter the field is disabled (and hidden when asked).
    EXPECT_FALSE(spin.BindParameter(nullptr, nullptr, nullptr, true, false));
    EXPECT_FALSE(spin.IsWindowEnabled());
    EXPECT_FALSE(spin.IsWindowVisible());
}

TEST_F(SpinEditTest, TypedValuesOnAnIntegerAreClampedAndAnEmptyFieldRestores)
{
    int spacing = 100;
    spin.BindInt(&spacing, nullptr, 5, 10000, 1, false);
    EXPECT_EQ(spin.GetText(), "100");
    struct Case {
        const char* typed;
        int stored;
        const char* shown;
    } cases[] = {{"3", 5, "5"}, {"20000", 10000, "10000"}, {"250", 250, "250"}, {"abc", 5, "5"}, {" 42px", 42, "42"}};
    for (const Case& c : cases) {
        spin.EditPart()->SetFocus();
        spin.SetText(c.typed);
        spin.EditPart()->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
        EXPECT_EQ(spacing, c.stored) << c.typed;
        EXPECT_EQ(spin.GetText(), c.shown) << c.typed;
    }
    const std::size_t changes = parent.changes.size();
    EXPECT_EQ(changes, std::size(cases));
    spin.EditPart()->SetFocus();
    spin.SetText("");
    spin.EditPart()->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(spacing, 42);
    EXPECT_EQ(spin.GetText(), "42");
    EXPECT_EQ(parent.changes.size(), changes) << "restoring is no change";

    // Tab moves on to the next field, committing what was typed; the control reached as a
    // tab stop (Shift+Tab back to it) gives its field the focus. Enter finishes the edit and
    // leaves the focus on the control, so that a second Enter or Escape reaches the dialog.
    CEdit next;
    ASSERT_TRUE(next.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, CRect(10, 40, 90, 60), &parent, 78));
    spin.EditPart()->SetFocus();
    spin.SetText("");
    CUserInput::TypeText("250");
    CUserInput::PressKey(VK_TAB);
    EXPECT_EQ(CWnd::GetFocus(), &next);
    EXPECT_EQ(spacing, 250);
    ui::FocusDialogControl(spin);
    EXPECT_EQ(CWnd::GetFocus(), spin.EditPart());
    CUserInput::TypeText("7");
    CUserInput::PressKey(VK_RETURN);
    EXPECT_EQ(spacing, 7);
    EXPECT_EQ(CWnd::GetFocus(), &spin);
    next.DestroyWindow();
}

TEST_F(SpinEditTest, HoldingAnArrowRepeatsAfterHalfASecond)
{
    int value = 50;
    spin.BindInt(&value, nullptr, 0, 100, 1, false);
    CSpinArrowButton& up = *spin.UpArrow();
    // The button is held, as a press through the pointer leaves it.
    GetInputState().SetKeyDown(VK_LBUTTON, true);
    up.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    clock->Advance(550);
    PumpPendingMessages();
    EXPECT_TRUE(up.IsRepeating());
    EXPECT_EQ(value, 50);
    clock->Advance(100);
    PumpPendingMessages();
    EXPECT_EQ(value, 51);
    clock->Advance(100);
    PumpPendingMessages();
    EXPECT_EQ(value, 52);
    GetInputState().SetKeyDown(VK_LBUTTON, false);
    up.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_FALSE(up.IsRepeating());
    // The release is the button's click: one step more.
    EXPECT_EQ(value, 53);
    clock->Advance(500);
    PumpPendingMessages();
    EXPECT_EQ(value, 53);
}

// An arrow held while the pointer slid off it once went on stepping.
TEST_F(SpinEditTest, SlidingOffAHeldArrowLetsGoOfItAndSlidingBackPressesAgain)
{
    int value = 50;
    spin.BindInt(&value, nullptr, 0, 100, 1, false);
    CSpinArrowButton& up = *spin.UpArrow();
    const CPoint on(3, 3);
    const CPoint off(3, 60);
    auto wait = [this](int ms) {
        clock->Advance(ms);
        PumpPendingMessages();
    };
    CUserInput::Press(up, on);
    wait(550);
    wait(100);
    EXPECT_EQ(value, 51);
    CUserInput::MoveTo(up, off);
    EXPECT_FALSE(up.IsRepeating());
    wait(500);
    wait(500);
    EXPECT_EQ(value, 51) << "the arrow stepped with the pointer off it";

    // Back on it with the button still down: held again, repeating after the delay.
    CUserInput::MoveTo(up, on);
    wait(550);
    wait(100);
    EXPECT_EQ(value, 52);
    // Let go off the arrow: no click, no step.
    CUserInput::MoveTo(up, off);
    CUserInput::Release(parent, CPoint(20, 150));
    wait(500);
    EXPECT_EQ(value, 52);
}

TEST_F(SpinEditTest, TypedNegativeDecimalsReachTheParameterAndOnlyChangesCommit)
{
    CParameter angle("startAngle", model::ParamType::Number);
    angle.SetDouble(-135);
    angle.SetRange(ParamRange{-180, 180, 1});
    int told = 0;
    ASSERT_TRUE(spin.BindParameter(&angle, [&] { ++told; }, nullptr, false, false));
    EXPECT_EQ(spin.GetText(), "-135");

    // Focus passing through the field without typing writes nothing back.
    CEdit& edit = *spin.EditPart();
    edit.SetFocus();
    edit.SendMessage(WM_KEYDOWN, VK_TAB, 0);
    parent.SetFocus();
    EXPECT_EQ(told, 0);
    EXPECT_TRUE(parent.changes.empty());

    // What a person types: the sign and the point pass, a letter and a second point do not.
    edit.SetFocus();
    edit.SetSel(0, -1);
    edit.Type("-2x.5.");
    EXPECT_EQ(spin.GetText(), "-2.5");
    parent.SetFocus();
    EXPECT_DOUBLE_EQ(angle.GetDouble(), -2.5);
    EXPECT_EQ(told, 1);
    EXPECT_EQ(parent.changes, (std::vector<int>{77}));

    // A sign may only lead.
    edit.SetFocus();
    edit.SetSel(1, 1);
    edit.Type("-");
    EXPECT_EQ(spin.GetText(), "-2.5");

    // A text that reads as the value held ("-2.50") is no change either.
    spin.SetText("-2.50");
    edit.SendMessage(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(told, 1);
    EXPECT_EQ(spin.GetText(), "-2.5");

    // A sign typed on its own is a change too: leaving the field writes it.
    spin.SetValue(135);
    parent.changes.clear();
    edit.SetFocus();
    edit.SetSel(0, 0);
    edit.Type("-");
    parent.SetFocus();
    EXPECT_DOUBLE_EQ(angle.GetDouble(), -135);
    EXPECT_EQ(parent.changes, (std::vector<int>{77}));
}

TEST_F(SpinEditTest, ADisabledFieldDisablesItsParts)
{
    int value = 3;
    spin.BindInt(&value, nullptr, 0, 10, 1, false);
    spin.EnableWindow(FALSE);
    EXPECT_FALSE(spin.EditPart()->IsWindowEnabled());
    EXPECT_FALSE(spin.UpArrow()->IsWindowEnabled());
    EXPECT_FALSE(spin.DownArrow()->IsWindowEnabled());
    // Parts made again for a new binding keep the state.
    spin.BindInt(&value, nullptr, 0, 10, 1, false);
    EXPECT_FALSE(spin.EditPart()->IsWindowEnabled());
    spin.EnableWindow(TRUE);
    EXPECT_TRUE(spin.EditPart()->IsWindowEnabled());
    EXPECT_TRUE(spin.UpArrow()->IsWindowEnabled());
}

} // namespace

TEST(SpinEditEnableTest, DisablingTheWholeControlDisablesItsFieldAndArrows)
{
    ResetWindows();
    CSpinEdit::RegisterClass();
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, "Parent", "parent", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 100), nullptr, 0));
    CSpinEdit spin;
    ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 34), &parent, 80));
    int value = 3;
    spin.BindInt(&value, nullptr, 0, 10, 1, false);
    spin.EnableWindow(FALSE);
    for (CWnd* part = spin.GetWindow(GW_CHILD); part != nullptr; part = part->GetWindow(GW_HWNDNEXT))
        EXPECT_FALSE(part->IsWindowEnabled()) << part->GetClassName();
    spin.EnableWindow(TRUE);
    for (CWnd* part = spin.GetWindow(GW_CHILD); part != nullptr; part = part->GetWindow(GW_HWNDNEXT))
        EXPECT_TRUE(part->IsWindowEnabled()) << part->GetClassName();
    ResetWindows();
}

TEST_F(SpinEditTest, AnArrowReleasedElsewhereStopsRepeating)
{
    int value = 50;
    spin.BindInt(&value, nullptr, 0, 100, 1, false);
    CSpinArrowButton& down = *spin.DownArrow();
    GetInputState().SetKeyDown(VK_LBUTTON, true);
    down.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    clock->Advance(550);
    PumpPendingMessages();
    clock->Advance(100);
    PumpPendingMessages();
    EXPECT_EQ(value, 49);
    // The button comes up over another window: the arrow hears of no release.
    GetInputState().SetKeyDown(VK_LBUTTON, false);
    for (int i = 0; i < 5; ++i) {
        clock->Advance(100);
        PumpPendingMessages();
    }
    EXPECT_EQ(value, 49) << "the arrow went on stepping after the release";
    EXPECT_FALSE(down.IsRepeating());
}

#include "UiFixture.h"
#include "platform/window/UserInput.h"
#include "platform/docview/WinApp.h"

namespace {

using InputTest = UiTest;

// Notes the mouse and key messages it receives, with their points and flags.
class Recorder : public CWnd {
public:
    explicit Recorder(std::vector<std::string>* log, std::string name) : log_(log), name_(std::move(name)) {}
    LRESULT WindowProc(UINT message, WPARAM w, LPARAM l) override
    {
        const CPoint p = LParamToPoint(l);
        auto at = [&] { return " " + std::to_string(p.x) + "," + std::to_string(p.y); };
        switch (message) {
        case WM_LBUTTONDOWN:
            log_->push_back(name_ + ":down" + at() + ((w & MK_SHIFT) != 0 ? " shift" : ""));
            if (captureOnDown) {
                SetCapture();
            }
            break;
        case WM_LBUTTONUP:
            log_->push_back(name_ + ":up" + at());
            if (GetCapture() == this) {
                ReleaseCapture();
            }
            break;
        case WM_LBUTTONDBLCLK:
            log_->push_back(name_ + ":dblclk");
            break;
        case WM_MOUSEMOVE:
            if ((w & MK_LBUTTON) != 0) {
                log_->push_back(name_ + ":drag" + at());
            }
            break;
        case WM_KEYDOWN:
            log_->push_back(name_ + ":key " + std::to_string(w));
            break;
        case WM_CHAR:
            log_->push_back(name_ + ":char " + std::string(1, static_cast<char>(w)));
            break;
        case WM_CONTEXTMENU:
            log_->push_back(name_ + ":context" + at());
            break;
        default:
            break;
        }
        return CWnd::WindowProc(message, w, l);
    }
    bool captureOnDown = false;
    std::vector<std::string>* log_;
    std::string name_;
};

TEST_F(InputTest, ClicksReachTheWindowUnderThePointInItsCoordinates)
{
    std::vector<std::string> log;
    Recorder top(&log, "top"), child(&log, "child"), off(&log, "off");
    ASSERT_TRUE(top.CreateEx(0, "", "", WS_VISIBLE, CRect(100, 100, 400, 300), nullptr, 0));
    ASSERT_TRUE(child.Create("", "", WS_CHILD | WS_VISIBLE, CRect(10, 20, 110, 120), &top, 1));
    ASSERT_TRUE(off.Create("", "", WS_CHILD | WS_VISIBLE | WS_DISABLED, CRect(200, 0, 250, 50), &top, 2));

    EXPECT_TRUE(CUserInput::Click(top, CPoint(15, 25), CUserInput::Shift));
    EXPECT_TRUE(CUserInput::Click(top, CPoint(150, 150)));
    EXPECT_FALSE(CUserInput::Click(top, CPoint(210, 10))) << "a disabled control gets nothing";
    EXPECT_EQ(log, (std::vector<std::string>{"child:down 5,5 shift", "child:up 5,5", "top:down 150,150",
                                             "top:up 150,150"}));
    CPoint cursor;
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor, CPoint(210 + 100, 10 + 100));

    top.EnableWindow(FALSE);
    log.clear();
    EXPECT_FALSE(CUserInput::Click(top, CPoint(15, 25))) << "nor do children of a disabled window";
    EXPECT_TRUE(log.empty());
}

TEST_F(InputTest, ADragFollowsTheCaptureOutsideTheWindow)
{
    std::vector<std::string> log;
    Recorder top(&log, "top"), handle(&log, "handle");
    ASSERT_TRUE(top.CreateEx(0, "", "", WS_VISIBLE, CRect(0, 0, 300, 300), nullptr, 0));
    ASSERT_TRUE(handle.Create("", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 20), &top, 1));
    handle.captureOnDown = true;
    CUserInput::Drag(top, CPoint(10, 10), CPoint(110, 50), 2);
    EXPECT_EQ(log, (std::vector<std::string>{"handle:down 10,10", "handle:drag 60,30", "handle:drag 110,50",
                                             "handle:up 110,50"}));
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_FALSE(GetInputState().IsKeyDown(VK_LBUTTON));
}

TEST_F(InputTest, KeysGoToTheFocusAndTypeCharacters)
{
    std::vector<std::string> log;
    Recorder top(&log, "top"), field(&log, "field");
    ASSERT_TRUE(top.CreateEx(0, "", "", WS_VISIBLE, CRect(0, 0, 300, 300), nullptr, 0));
    ASSERT_TRUE(field.Create("", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 20), &top, 1));
    EXPECT_FALSE(CUserInput::PressKey('A')) << "no focus, no active window, no main window";
    field.SetFocus();
    EXPECT_TRUE(CUserInput::PressKey('A', CUserInput::Shift));
    CUserInput::PressKey('B');
    CUserInput::TypeText("c!");
    EXPECT_EQ(log, (std::vector<std::string>{"field:key 65", "field:char A", "field:key 66", "field:char b",
                                             "field:char c", "field:char !"}));
    EXPECT_FALSE(GetInputState().IsKeyDown(VK_SHIFT)) << "modifiers are let go afterwards";

    log.clear();
    CUserInput::RightClick(top, CPoint(5, 5));
    EXPECT_EQ(log, (std::vector<std::string>{"field:context 5,5", "top:context 5,5"}))
        << "an unhandled context request goes to the parent";
    log.clear();
    CUserInput::DoubleClick(field, CPoint(1, 1));
    EXPECT_EQ(log,
              (std::vector<std::string>{"field:down 1,1", "field:up 1,1", "field:dblclk", "field:up 1,1"}));
}

TEST_F(InputTest, InputTakenLateIsReadWithTheModifiersHeldAsItWasMade)
{
    // Ctrl+Y, then a plain Y, and a click with Shift, all made while the program was busy:
    // Ctrl is let go before the program takes the Y typed with it, Shift before it takes the
    // click. Each is read with the keys held when it was made.
    std::vector<std::string> log;
    class Reader : public CWnd {
    public:
        explicit Reader(std::vector<std::string>* log) : log_(log) {}
        LRESULT WindowProc(UINT message, WPARAM w, LPARAM l) override
        {
            const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
            const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
            if (message == WM_KEYDOWN && w == 'Y')
                log_->push_back(control ? "ctrl+Y" : "Y");
            if (message == WM_LBUTTONDOWN)
                log_->push_back(shift ? "shift+click" : "click");
            return CWnd::WindowProc(message, w, l);
        }
        std::vector<std::string>* log_;
    } reader(&log);
    ASSERT_TRUE(reader.CreateEx(0, "", "", WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 0));
    const HWND h = reader.GetSafeHwnd();
    CInputState& keys = GetInputState();
    keys.SetKeyDown(VK_CONTROL, true);
    PostInputMessage(h, WM_KEYDOWN, VK_CONTROL, 0);
    PostInputMessage(h, WM_KEYDOWN, 'Y', 0);
    PostInputMessage(h, WM_KEYUP, 'Y', 0);
    keys.SetKeyDown(VK_CONTROL, false);
    PostInputMessage(h, WM_KEYUP, VK_CONTROL, 0);
    PostInputMessage(h, WM_KEYDOWN, 'Y', 0);
    keys.SetKeyDown(VK_SHIFT, true);
    PostInputMessage(h, WM_LBUTTONDOWN, MK_SHIFT, 0);
    PostInputMessage(h, WM_LBUTTONUP, MK_SHIFT, 0);
    keys.SetKeyDown(VK_SHIFT, false);
    PumpPendingMessages();
    EXPECT_EQ(log, (std::vector<std::string>{"ctrl+Y", "Y", "shift+click"}));
}

TEST_F(InputTest, KeyStateAndWaitCursor)
{
    CInputState& keys = GetInputState();
    keys.SetKeyDown(VK_CONTROL, true);
    keys.SetKeyToggled(VK_NUMLOCK, true);
    EXPECT_LT(GetKeyState(VK_CONTROL), 0) << "high bit while down";
    EXPECT_EQ(GetKeyState(VK_NUMLOCK), 1);
    EXPECT_EQ(GetKeyState(VK_SHIFT), 0);
    EXPECT_EQ(keys.MouseKeyFlags(), UINT(MK_CONTROL));

    SetCursor(LoadCursorId(IDC_CROSS));
    {
        CWaitCursor outer;
        {
            CWaitCursor inner;
            EXPECT_EQ(keys.WaitCount(), 2);
        }
        EXPECT_EQ(CursorId(GetCursor()), UINT(IDC_WAIT)) << "still waiting for the outer operation";
    }
    EXPECT_EQ(CursorId(GetCursor()), UINT(IDC_CROSS));
    keys.EndWait(); // unmatched: ignored
    CWaitCursor again;
    EXPECT_EQ(keys.WaitCount(), 1);
}

} // namespace

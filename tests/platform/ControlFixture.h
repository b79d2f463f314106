#pragma once

#include "UiFixture.h"

#include "platform/ControlMessages.h"
#include "platform/ControlWnd.h"
#include "platform/Dialog.h"
#include "platform/FlashPlayer.h"
#include "platform/WindowClass.h"

#include <string>
#include <vector>

// A parent that logs what its controls tell it, as "id:CODE" for commands and notifications
// and "id:SCROLL:code:pos" for scroll messages.
class NotifyLog : public CWnd {
public:
    std::vector<std::string> log;
    LRESULT answerNotify = 0; // what WM_NOTIFY returns (non-zero refuses a change)

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_COMMAND:
            log.push_back(std::to_string(LOWORD(wParam)) + ":" + std::to_string(HIWORD(wParam)));
            return 0;
        case WM_NOTIFY: {
            auto* h = reinterpret_cast<NMHDR*>(lParam);
            log.push_back(std::to_string(h->idFrom) + ":N" + std::to_string(static_cast<int>(h->code)));
            lastNotify.assign(reinterpret_cast<const char*>(lParam),
                              reinterpret_cast<const char*>(lParam) + 128);
            return answerNotify;
        }
        case WM_HSCROLL:
        case WM_VSCROLL: {
            CWnd* from = CWnd::FromHandle(reinterpret_cast<HWND>(lParam));
            log.push_back(std::to_string(from ? from->GetDlgCtrlID() : 0) +
                          (message == WM_HSCROLL ? ":H:" : ":V:") + std::to_string(LOWORD(wParam)) + ":" +
                          std::to_string(HIWORD(wParam)));
            return 0;
        }
        default:
            return CWnd::WindowProc(message, wParam, lParam);
        }
    }
    template <class T> const T& Last() const { return *reinterpret_cast<const T*>(lastNotify.data()); }
    std::vector<char> lastNotify;
};

class ControlTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        ResetDialogTemplates();
        ui::ResetDialogHooks();
        ui::ResetWindowClasses();
        ui::ResetBeepCount();
        ResetFlashPlayerFactory();
        ASSERT_TRUE(
            parent.CreateEx(0, "Parent", "parent", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 0));
    }
    void TearDown() override
    {
        parent.DestroyWindow();
        EXPECT_TRUE(ui::UnansweredDialogs().empty())
            << "a modal dialog nobody answered: " << ui::UnansweredDialogs()[0];
        ui::ResetDialogHooks();
        ResetDialogTemplates();
        UiTest::TearDown();
    }
    static std::vector<std::string> Codes(std::initializer_list<std::string> l) { return l; }

    NotifyLog parent;
};

inline std::string Cmd(int id, UINT code)
{
    return std::to_string(id) + ":" + std::to_string(code);
}
inline std::string Ntf(int id, UINT code)
{
    return std::to_string(id) + ":N" + std::to_string(static_cast<int>(code));
}

#pragma once

#include "UiFixture.h"

#include "platform/controls/ControlMessages.h"
#include "platform/controls/ControlWnd.h"
#include "platform/dialogs/Dialog.h"
#include "platform/controls/FlashPlayer.h"
#include "platform/window/WindowClass.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

// A parent that logs what its controls tell it, as "id:CODE" for commands and notifications
// and "id:SCROLL:code:pos" for scroll messages.
class NotifyLog : public CWnd {
public:
    std::vector<std::string> log;
    LRESULT answerNotify = 0; // what WM_NOTIFY returns (non-zero refuses a change)
    // What the parent does after logging a command or notification (id, code), as a page would.
    std::function<void(int, UINT)> react;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_COMMAND:
            log.push_back(std::to_string(LOWORD(wParam)) + ":" + std::to_string(HIWORD(wParam)));
            if (react)
                react(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_NOTIFY: {
            auto* h = reinterpret_cast<NMHDR*>(lParam);
            log.push_back(std::to_string(h->idFrom) + ":N" + std::to_string(static_cast<int>(h->code)));
            const char* raw = reinterpret_cast<const char*>(lParam);
            lastNotify.assign(raw, raw + NotifySize(h->code));
            byCode[h->code] = lastNotify;
            if (react)
                react(static_cast<int>(h->idFrom), h->code);
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
    // The last notification with this code.
    template <class T> const T& LastOf(UINT code) { return *reinterpret_cast<const T*>(byCode[code].data()); }
    static std::size_t NotifySize(UINT code)
    {
        switch (code) {
        case LVN_ITEMCHANGING:
        case LVN_ITEMCHANGED:
        case LVN_INSERTITEM:
        case LVN_DELETEITEM:
        case LVN_DELETEALLITEMS:
            return sizeof(NMLISTVIEW);
        case NM_CLICK:
        case NM_DBLCLK:
        case LVN_ITEMACTIVATE:
            return sizeof(NMITEMACTIVATE);
        case LVN_BEGINLABELEDIT:
        case LVN_ENDLABELEDIT:
            return sizeof(NMLVDISPINFO);
        case UDN_DELTAPOS:
            return sizeof(NMUPDOWN);
        default:
            return sizeof(NMHDR);
        }
    }
    std::vector<char> lastNotify;
    std::map<UINT, std::vector<char>> byCode;
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

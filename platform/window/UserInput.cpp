#include "platform/window/UserInput.h"

#include "platform/docview/Frame.h"
#include "platform/window/Input.h"
#include "platform/docview/Menu.h"
#include "platform/docview/WinApp.h"
#include "platform/window/Wnd.h"

void CUserInput::HoldModifiers(UINT modifiers, bool down)
{
    CInputState& keys = GetInputState();
    if ((modifiers & Shift) != 0) {
        keys.SetKeyDown(VK_SHIFT, down);
    }
    if ((modifiers & Control) != 0) {
        keys.SetKeyDown(VK_CONTROL, down);
    }
    if ((modifiers & Alt) != 0) {
        keys.SetKeyDown(VK_MENU, down);
    }
}

CWnd* CUserInput::PostPointer(CWnd& wnd, CPoint point, UINT message, UINT modifiers)
{
    CPoint screen = point;
    wnd.ClientToScreen(&screen);
    GetInputState().SetCursorPos(screen);

    CWnd* target = CWnd::GetCapture();
    if (target == nullptr) {
        if (!wnd.IsWindowVisible()) {
            return nullptr;
        }
        target = wnd.ChildFromPoint(point);
    }
    // A disabled ancestor (a window behind a modal dialog) shuts out its children too.
    if (target == nullptr || !target->TakesInput()) {
        return nullptr;
    }
    HWND handle = target->m_hWnd;
    if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
        target->SendMessage(WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(target->GetTopLevelParent()->m_hWnd),
                            0);
        if (!IsWindow(handle)) {
            return nullptr;
        }
        target->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(handle), MAKELPARAM(1, message));
        if (!IsWindow(handle)) {
            return nullptr;
        }
    }
    CPoint local = screen;
    target->ScreenToClient(&local);
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
        GetInputState().SetKeyDown(VK_LBUTTON, true);
    } else if (message == WM_LBUTTONUP) {
        GetInputState().SetKeyDown(VK_LBUTTON, false);
    } else if (message == WM_RBUTTONDOWN) {
        GetInputState().SetKeyDown(VK_RBUTTON, true);
    } else if (message == WM_RBUTTONUP) {
        GetInputState().SetKeyDown(VK_RBUTTON, false);
    }
    HoldModifiers(modifiers, true);
    ::PostInputMessage(handle, message, GetInputState().MouseKeyFlags(), PointToLParam(local));
    return target;
}

bool CUserInput::Mouse(CWnd& wnd, CPoint point, UINT message, UINT modifiers)
{
    PumpPendingMessages();
    if (PostPointer(wnd, point, message, modifiers) == nullptr) {
        return false;
    }
    PumpPendingMessages();
    HoldModifiers(modifiers, false);
    return true;
}

namespace {

// Ends a left-button gesture: the release goes to the window while it is still there, and the
// button is up either way.
void LetGo(HWND handle, CWnd& wnd, CPoint point, UINT modifiers)
{
    if (IsWindow(handle)) {
        CUserInput::Release(wnd, point, modifiers);
    }
    GetInputState().SetKeyDown(VK_LBUTTON, false);
}

} // namespace

bool CUserInput::Press(CWnd& wnd, CPoint point, UINT modifiers)
{
    return Mouse(wnd, point, WM_LBUTTONDOWN, modifiers);
}

void CUserInput::Release(CWnd& wnd, CPoint point, UINT modifiers)
{
    Mouse(wnd, point, WM_LBUTTONUP, modifiers);
}

void CUserInput::MoveTo(CWnd& wnd, CPoint point, UINT modifiers)
{
    Mouse(wnd, point, WM_MOUSEMOVE, modifiers);
}

bool CUserInput::Click(CWnd& wnd, CPoint point, UINT modifiers)
{
    MoveTo(wnd, point, modifiers);
    HWND handle = wnd.m_hWnd;
    const bool pressed = Press(wnd, point, modifiers);
    LetGo(handle, wnd, point, modifiers);
    return pressed;
}

bool CUserInput::DoubleClick(CWnd& wnd, CPoint point, UINT modifiers)
{
    HWND handle = wnd.m_hWnd;
    const bool first = Click(wnd, point, modifiers);
    if (!first || !IsWindow(handle)) {
        return first;
    }
    const bool second = Mouse(wnd, point, WM_LBUTTONDBLCLK, modifiers);
    LetGo(handle, wnd, point, modifiers);
    return second;
}

bool CUserInput::RightClick(CWnd& wnd, CPoint point, UINT modifiers)
{
    HWND handle = wnd.m_hWnd;
    const bool pressed = Mouse(wnd, point, WM_RBUTTONDOWN, modifiers);
    if (IsWindow(handle)) {
        Mouse(wnd, point, WM_RBUTTONUP, modifiers);
    }
    // The context-menu request follows the release, in screen coordinates.
    if (pressed && IsWindow(handle)) {
        CPoint screen = point;
        wnd.ClientToScreen(&screen);
        CWnd* target = wnd.ChildFromPoint(point);
        if (target != nullptr) {
            target->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(target->m_hWnd),
                                PointToLParam(screen));
        }
    }
    GetInputState().SetKeyDown(VK_RBUTTON, false);
    return pressed;
}

void CUserInput::Drag(CWnd& wnd, CPoint from, CPoint to, int steps, UINT modifiers)
{
    HWND handle = wnd.m_hWnd;
    MoveTo(wnd, from, modifiers);
    Press(wnd, from, modifiers);
    steps = steps < 1 ? 1 : steps;
    for (int i = 1; i <= steps && IsWindow(handle); ++i) {
        const CPoint p(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps);
        HoldModifiers(modifiers, true);
        Mouse(wnd, p, WM_MOUSEMOVE, modifiers);
    }
    LetGo(handle, wnd, to, modifiers);
}

bool CUserInput::PressKey(UINT vk, UINT modifiers)
{
    PumpPendingMessages();
    CWnd* target = CWnd::GetFocus();
    if (target == nullptr) {
        target = CWnd::GetActiveWindow();
    }
    if (target == nullptr) {
        target = AfxGetMainWnd();
    }
    if (target == nullptr || target->m_hWnd == nullptr) {
        return false;
    }
    const bool alt = (modifiers & Alt) != 0;
    HoldModifiers(modifiers, true);
    GetInputState().SetKeyDown(vk, true);
    ::PostMessage(target->m_hWnd, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, 1);
    PumpPendingMessages();
    GetInputState().SetKeyDown(vk, false);
    if (IsWindow(target->m_hWnd)) {
        ::PostMessage(target->m_hWnd, alt ? WM_SYSKEYUP : WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001u));
        PumpPendingMessages();
    }
    HoldModifiers(modifiers, false);
    return true;
}

void CUserInput::TypeText(const std::string& text)
{
    for (unsigned char c : text) {
        CWnd* target = CWnd::GetFocus();
        if (target == nullptr) {
            return;
        }
        ::PostMessage(target->m_hWnd, WM_CHAR, c, 1);
        PumpPendingMessages();
    }
}

bool CUserInput::ChooseMenuItem(CWnd& owner, UINT nID)
{
    CMenu* bar = owner.GetMenu();
    if (bar == nullptr) {
        return false;
    }
    // The top-level popup that holds the item is the one the user opens.
    CMenu* popup = nullptr;
    for (int i = 0; i < bar->GetMenuItemCount() && popup == nullptr; ++i) {
        CMenu* sub = bar->GetSubMenu(i);
        if (sub != nullptr && sub->FindItem(nID, nullptr) != nullptr) {
            popup = sub;
        }
    }
    if (popup == nullptr) {
        return false;
    }
    owner.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    int pos = 0;
    CMenu* holder = popup->FindItem(nID, &pos);
    if (holder != popup && holder != nullptr) {
        owner.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(holder), 0);
        holder = holder->FindItem(nID, &pos);
    }
    if (holder == nullptr) {
        return false;
    }
    const UINT state = holder->GetMenuState(static_cast<UINT>(pos), MF_BYPOSITION);
    if ((state & (MF_GRAYED | MF_DISABLED)) != 0) {
        return false;
    }
    owner.PostMessage(WM_COMMAND, MAKEWPARAM(nID, 0), 0);
    PumpPendingMessages();
    return true;
}

void CUserInput::SwitchApplication(bool active)
{
    // A window may close others as the program is switched to or from: each is found again.
    std::vector<HWND> tops;
    for (CWnd* top : TopLevelWindows()) {
        tops.push_back(top->m_hWnd);
    }
    for (HWND h : tops) {
        if (CWnd* top = CWnd::FromHandle(h)) {
            top->SendMessage(WM_ACTIVATEAPP, active ? TRUE : FALSE, 0);
        }
    }
    PumpPendingMessages();
}

bool CUserInput::DropFiles(CWnd& wnd, const std::vector<std::string>& files)
{
    if (!wnd.AcceptsFiles()) {
        return false;
    }
    ::DropFiles drop{files};
    wnd.SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(&drop), 0);
    PumpPendingMessages();
    return true;
}

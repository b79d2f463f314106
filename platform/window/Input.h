#pragma once

// Keyboard, mouse and cursor state as the program reads it. Nothing here polls a device:
// the input driver (or a visible host) records key presses and pointer position, and the
// cursor the program sets is kept as a value that tests can read back.

#include <cstdint>
#include <functional>
#include <set>
#include <string>

#include "platform/window/Messages.h"

// A cursor is its resource id (standard ids below, or the program's own cursor resources).
struct HCURSOR__;
using HCURSOR = HCURSOR__*;

enum : UINT {
    IDC_ARROW = 32512,
    IDC_IBEAM = 32513,
    IDC_WAIT = 32514,
    IDC_CROSS = 32515,
    IDC_UPARROW = 32516,
    IDC_SIZENWSE = 32642,
    IDC_SIZENESW = 32643,
    IDC_SIZEWE = 32644,
    IDC_SIZENS = 32645,
    IDC_SIZEALL = 32646,
    IDC_NO = 32648,
    IDC_HAND = 32649,
    IDC_APPSTARTING = 32650,
};

inline HCURSOR LoadCursorId(UINT id)
{
    return reinterpret_cast<HCURSOR>(static_cast<std::uintptr_t>(id));
}
inline UINT CursorId(HCURSOR cursor)
{
    return static_cast<UINT>(reinterpret_cast<std::uintptr_t>(cursor));
}

class CInputState {
public:
    bool IsKeyDown(UINT vk) const { return down_.count(vk) != 0; }
    void SetKeyDown(UINT vk, bool down);
    // Toggled keys (caps lock and friends) report bit 0 of GetKeyState.
    bool IsKeyToggled(UINT vk) const { return toggled_.count(vk) != 0; }
    void SetKeyToggled(UINT vk, bool on);
    // MK_ flags of the current key and button state, as mouse messages carry them.
    UINT MouseKeyFlags() const;

    CPoint CursorPos() const { return cursorPos_; }
    void SetCursorPos(CPoint p) { cursorPos_ = p; }

    HCURSOR Cursor() const { return cursor_; }
    HCURSOR SetCursor(HCURSOR cursor);
    // Nesting count of the wait cursor; while it is above zero the wait cursor shows.
    int WaitCount() const { return waitCount_; }
    void BeginWait();
    void EndWait();
    // Brings the wait cursor back after something (a message box) replaced it.
    void RestoreWait();

private:
    std::set<UINT> down_;
    std::set<UINT> toggled_;
    CPoint cursorPos_;
    HCURSOR cursor_ = LoadCursorId(IDC_ARROW);
    HCURSOR beforeWait_ = LoadCursorId(IDC_ARROW);
    int waitCount_ = 0;
};

CInputState& GetInputState();
void ResetInputState();

// The person's input reaches the program as posted messages, which a busy program takes late:
// Ctrl may be let go before it takes the Y typed with it. So each such message carries the
// modifier keys held as it was made (HeldKeys, kHeld bits), and the key state the program reads
// takes them again as the message is taken from the queue (TakeHeldKeys), as it handles it.
UINT HeldKeys();
void TakeHeldKeys(UINT held);

// High bit set while the key is down, bit 0 when toggled on.
short GetKeyState(UINT vk);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
BOOL GetCursorPos(CPoint* point);

// The characters a key press types (UTF-8; empty for none), which TranslateMessage sends as
// WM_CHAR. The default reads the key code alone: letters (with Shift and Control), digits,
// space and the editing keys. A screen host installs the system's layout, which knows what
// the key the user pressed (named by the scan code of the message) types.
using KeyboardLayout = std::function<std::string(const MSG& keyDown)>;
void SetKeyboardLayout(KeyboardLayout layout);
std::string TypedByKey(const MSG& keyDown);

// Shows the wait cursor for the lifetime of the object.
class CWaitCursor {
public:
    CWaitCursor() { GetInputState().BeginWait(); }
    ~CWaitCursor() { GetInputState().EndWait(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    void Restore() { GetInputState().RestoreWait(); }
};

#pragma once

// What a user does, turned into the messages a window would get: pointer clicks and drags,
// key presses, menu choices, dropped files. Events go through the queue and the program's
// message loop (so accelerators and other pre-translation apply) and are delivered before the
// call returns. A visible front end feeds its real input through the same calls.

#include <string>
#include <vector>

#include "platform/window/Messages.h"

class CWnd;

class CUserInput {
public:
    // Modifier keys held during an event.
    enum Modifier : UINT { None = 0, Shift = 1, Control = 2, Alt = 4 };

    // Pointer events at a point in `wnd`'s client coordinates. The window under the point (or
    // the one holding the capture) receives them in its own coordinates; a disabled window
    // gets nothing. Returns false when nothing received the press.
    static bool Click(CWnd& wnd, CPoint point, UINT modifiers = None);
    static bool DoubleClick(CWnd& wnd, CPoint point, UINT modifiers = None);
    static bool RightClick(CWnd& wnd, CPoint point, UINT modifiers = None);
    static void MoveTo(CWnd& wnd, CPoint point, UINT modifiers = None);
    static bool Press(CWnd& wnd, CPoint point, UINT modifiers = None);
    static void Release(CWnd& wnd, CPoint point, UINT modifiers = None);
    // Press at `from`, moves in `steps` even steps, release at `to`.
    static void Drag(CWnd& wnd, CPoint from, CPoint to, int steps = 4, UINT modifiers = None);

    // A key press and release, sent to the focus window (or the active window when nothing
    // has the focus). Returns false when no window could take it.
    static bool PressKey(UINT vk, UINT modifiers = None);
    // Characters as typed (one WM_CHAR each) to the focus window.
    static void TypeText(const std::string& text);

    // Opens the menu of `owner` that holds the command (its update handlers run) and picks the
    // item. Returns false when the item is missing or greyed, in which case nothing runs.
    static bool ChooseMenuItem(CWnd& owner, UINT nID);
    // The user switches to or away from the program: every top-level window hears of it.
    static void SwitchApplication(bool active);
    // Drops files on a window that accepts them.
    static bool DropFiles(CWnd& wnd, const std::vector<std::string>& files);

    // A pointer event at a point of `wnd` (its client coordinates), posted to the window under
    // it (or the capture holder) without waiting for delivery; a screen host feeds the user's
    // pointer through it. The button of the message and the modifiers are held down from then
    // on (a host that tracks the modifier keys itself passes none). Returns the window that
    // gets the event, or null when none may (nothing there, or disabled).
    static CWnd* PostPointer(CWnd& wnd, CPoint point, UINT message, UINT modifiers = None);

private:
    static bool Mouse(CWnd& wnd, CPoint point, UINT message, UINT modifiers);
    static void HoldModifiers(UINT modifiers, bool down);
};

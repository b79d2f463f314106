#pragma once

#include "platform/controls/ControlMessages.h"
#include "platform/window/Wnd.h"

#include <string>
#include <string_view>

class CBitmap;
class CDC;
class CFont;
struct LOGFONT;

namespace ui {

// What every standard control shares: the font it was given, notifications to its parent,
// painting through a device context when the window host supplies one, and taking over a
// dialog item that a template created.
class ControlWnd : public CWnd {
protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Draws the control; the default draws nothing.
    virtual void Paint(CDC&) {}
    // WM_COMMAND with the control's id and code to the parent.
    LRESULT NotifyParent(UINT code);
    // WM_NOTIFY to the parent; fills the header.
    LRESULT SendNotify(NMHDR& header, UINT code);
    // The current font's logical record (the default dialog font when none was set).
    const LOGFONT& FontRecord() const;
    // For a control that draws no background of its own (a check box's label, a group box):
    // what lies beneath it is painted again too, the parent's face and the siblings it
    // overlaps, so that nothing it drew before (a focus ring) stays behind.
    void InvalidateWithBackground();

private:
    CFont* m_font = nullptr;
};

// The icon (a resource id) or the borrowed bitmap that a static or a button shows. Setting one
// answers the one it replaces, as the set-image messages do.
struct ControlImage {
    int icon = 0;
    const CBitmap* bitmap = nullptr;
    LRESULT Set(WPARAM type, LPARAM image);
    LRESULT Get(WPARAM type) const;
};

// The transplant behind CWnd::SubclassDlgItem: the replacement takes the item's class, text,
// style, rectangle, font, z-order place and focus; the template's stand-in window goes.
BOOL SubclassDlgItem(CWnd& replacement, UINT nID, CWnd* pParent);

} // namespace ui

namespace ui {

// A left click as the user makes it: button down and up at a client point (the centre when
// none is given). The window takes the focus first when it accepts it.
void ClickWindow(CWnd& window);
void ClickWindowAt(CWnd& window, CPoint client);
// Sends a typed character (WM_CHAR) to a window.
void TypeChars(CWnd& window, std::string_view utf8);
// An item's text as a program reads it from a list control: its length by lengthMessage,
// then its characters by textMessage. Returns the length, or -1 (text emptied) when the
// control has no such item.
int ReadItemText(CWnd& control, UINT lengthMessage, UINT textMessage, int index, std::string& text);
// Case-insensitive comparison and prefix test for the list searches.
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

} // namespace ui

// The refusal sound of a control; recorded so that tests can see it.
BOOL MessageBeep(UINT type);
namespace ui {
int BeepCount();
void ResetBeepCount();
} // namespace ui

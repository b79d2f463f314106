#pragma once

#include "platform/controls/ControlWnd.h"

#include <chrono>
#include <string>
#include <string_view>

// Single- and multi-line edits. The text is UTF-8; positions and the limit count characters.
// Changes by the user (typing, deleting, pasting) send EN_UPDATE and EN_CHANGE; a text set by
// code sends EN_CHANGE only for single-line edits, as the platform does. The limit applies to
// typing and pasting, never to text set by code.
class CEdit : public ui::ControlWnd {
public:
    BOOL Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);

    void SetSel(int start, int end, BOOL noScroll = FALSE);
    void GetSel(int& start, int& end) const;
    void ReplaceSel(const char* text, BOOL canUndo = FALSE);
    void LimitText(int chars = 0);
    void SetLimitText(UINT chars) { LimitText(static_cast<int>(chars)); }
    UINT GetLimitText() const;
    BOOL SetReadOnly(BOOL readOnly = TRUE);
    int GetLineCount() const;
    BOOL GetModify() const { return m_modified; }
    void SetModify(BOOL modified = TRUE) { m_modified = modified != FALSE; }

    // --- what the user does --------------------------------------------------------------
    // Types characters at the caret (WM_CHAR each), as a keyboard would.
    void Type(std::string_view utf8) { ui::TypeChars(*this, utf8); }
    // Pastes over the selection; the part beyond the limit is dropped.
    void Paste(std::string_view utf8);

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(CDC& dc) override;

private:
    bool Multiline() const { return (GetStyle() & ES_MULTILINE) != 0; }
    // Replaces the selection with text typed by the user; false when nothing changed.
    bool UserReplace(std::string_view utf8, bool limitCuts);
    void ReplaceRange(std::size_t start, std::size_t end, std::string_view utf8);
    void UserChanged();
    // The part of the client area the text is drawn in, inside the border.
    CRect TextArea() const;
    // The text as shown (stars for a password).
    std::string ShownText() const;
    // The character boundary nearest to x in a one-line field.
    int CharacterAt(int x) const;
    // Where a one-line text of the given width starts in the text area: by the alignment when
    // it fits, else scrolled so that the caret shows.
    int TextOrigin(const CRect& area, int width) const;

    int m_selStart = 0;
    int m_selEnd = 0;
    UINT m_limit = 0x7FFFFFFE;
    bool m_modified = false;
    int m_scroll = 0; // pixels of a one-line text scrolled out on the left
    // When the last double click came: a press soon after it is a triple click.
    std::chrono::steady_clock::time_point m_doubleClickAt{};
};

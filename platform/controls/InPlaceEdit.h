#pragma once

// The edit that stands in for a dialog item or a grid cell: it reports a finished edit to its
// parent with message WM_USER+1 (wParam kInPlaceEditId, lParam the id it stands for) and keeps
// Enter and Escape for itself. A page's field leaves Tab to its dialog, which moves on to the
// next field.
//
// An edit counts as finished on Enter or when the focus leaves after a key was pressed or a
// character typed. It is reported only when its text differs from the text it was opened with
// (or last reported): otherwise a value the user merely looked at would be written back (an
// "undefined" value as 0, say). Escape puts the opening text back and reports nothing. A grid
// that must close its cell editor also on those paths asks for every ending with
// SetNotifyAlways; it then reads IsCancelled and HasChanged itself.

#include "platform/controls/Edit.h"

#include <string>

constexpr UINT WM_INPLACE_NOTIFY = WM_USER + 1;
constexpr int kInPlaceEditId = 3000;

class CInPlaceEdit : public CEdit {
public:
    // An "EDIT" child with control id 3000 over rect; style 0 means WS_CHILD, WS_VISIBLE,
    // WS_BORDER and ES_AUTOHSCROLL. Page mode adds WS_TABSTOP and a sunken client edge. The
    // text is limited to 255 characters and the edit takes the focus.
    BOOL Create(CWnd* parent, const CRect& rect, int standsFor, bool pageMode, DWORD style = 0);

    int GetStandsFor() const { return m_standsFor; }
    bool IsPageMode() const { return m_pageMode; }
    // Refuses what cannot be part of a number (see OnChar).
    void SetNumericFilter(bool on) { m_numeric = on; }
    bool IsCancelled() const { return m_cancelled; }
    bool HasChanged() const { return GetWindowText() != m_baseline; }
    // The text an edit compares with: set when code shows a value in it.
    void SetBaseline(const std::string& text) { m_baseline = text; }
    void SetNotifyAlways(bool on) { m_notifyAlways = on; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Finish();
    bool AcceptChar(UINT ch);

    bool m_cancelled = false;
    bool m_keyPressed = false;
    bool m_pageMode = false;
    bool m_numeric = false;
    bool m_notifyAlways = false;
    int m_standsFor = 0;
    std::string m_baseline;
};

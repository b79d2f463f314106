#pragma once

#include "platform/controls/ControlWnd.h"

// The up-down control. Its range starts as the platform's: 100 at the lower end and 0 at the
// upper end, so the up arrow counts down until the program sets a range. The up arrow moves
// towards the upper end. A click asks the parent with UDN_DELTAPOS (non-zero refuses), moves,
// shows the position in the buddy when asked to (which makes an edit buddy send EN_CHANGE),
// then sends WM_VSCROLL (WM_HSCROLL when horizontal) with SB_THUMBPOSITION, and SB_ENDSCROLL
// when the button is let go.
class CSpinButtonCtrl : public ui::ControlWnd {
public:
    BOOL Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);
    void SetRange(short lower, short upper) { SetRange32(lower, upper); }
    void SetRange32(int lower, int upper);
    void GetRange(int& lower, int& upper) const;
    void GetRange32(int& lower, int& upper) const { GetRange(lower, upper); }
    int SetPos(int pos);
    int SetPos32(int pos) { return SetPos(pos); }
    // With UDS_SETBUDDYINT the position is read back from the buddy's text.
    int GetPos() const;
    int GetPos32() const { return GetPos(); }
    CWnd* SetBuddy(CWnd* buddy);
    CWnd* GetBuddy() const;
    int SetBase(int base);

    // --- what the user does --------------------------------------------------------------
    void UserClickUp() { UserStep(+1); }
    void UserClickDown() { UserStep(-1); }

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(CDC& dc) override;

private:
    void UserStep(int towardsUpper);
    void ShowInBuddy();

    int m_lower = 100;
    int m_upper = 0;
    int m_pos = 0;
    HWND m_buddy = nullptr;
    int m_base = 10;
};

#pragma once

#include "platform/controls/ControlWnd.h"

// A progress bar. StepIt past the upper end starts again from the lower end, as the
// platform's bar does; SetPos and OffsetPos clamp.
class CProgressCtrl : public ui::ControlWnd {
public:
    BOOL Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);
    void SetRange(short lower, short upper) { SetRange32(lower, upper); }
    void SetRange32(int lower, int upper);
    void GetRange(int& lower, int& upper) const;
    int SetPos(int pos);
    int GetPos() const { return m_pos; }
    int OffsetPos(int delta);
    int SetStep(int step);
    int StepIt();

protected:
    void Paint(CDC& dc) override;

private:
    int m_lower = 0;
    int m_upper = 100;
    int m_pos = 0;
    int m_step = 10;
};

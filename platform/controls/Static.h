#pragma once

#include "platform/controls/ControlWnd.h"

class CBitmap;

// A label, frame or picture. Clicks notify only with SS_NOTIFY.
class CStatic : public ui::ControlWnd {
public:
    BOOL Create(const char* text, DWORD style, const CRect& rect, CWnd* parent, UINT id = 0xFFFF);
    // Icons and pictures are resource ids of the picture table; 0 removes them.
    int SetIcon(int iconId);
    int GetIcon() const { return m_image.icon; }
    const CBitmap* SetBitmap(const CBitmap* bitmap);
    const CBitmap* GetBitmap() const { return m_image.bitmap; }

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(CDC& dc) override;

private:
    ui::ControlImage m_image;
};

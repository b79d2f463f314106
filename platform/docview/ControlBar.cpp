#include "platform/docview/ControlBar.h"

#include "platform/docview/Frame.h"

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    .Message(WM_IDLEUPDATECMDUI, &CControlBar::OnIdleUpdateCmdUI)
    .OnLButtonDown(&CControlBar::OnLButtonDown) END_MESSAGE_MAP()

        DWORD CControlBar::TakeBarStyle(DWORD dwStyle)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    return dwStyle & ~CBRS_ALL;
}

CFrameWnd* CControlBar::GetParentFrame() const
{
    for (CWnd* w = GetParent(); w != nullptr; w = w->GetParent()) {
        if (auto* frame = dynamic_cast<CFrameWnd*>(w)) {
            return frame;
        }
    }
    return nullptr;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (!IsWindowVisible()) {
        return 0;
    }
    CFrameWnd* target = dynamic_cast<CFrameWnd*>(GetOwner());
    if (target == nullptr) {
        target = GetParentFrame();
    }
    if (target != nullptr) {
        OnUpdateCmdUI(target, wParam != 0 ? TRUE : FALSE);
    }
    return 0;
}

void CControlBar::OnLButtonDown(UINT, CPoint)
{
    // The start of a drag that would float the bar; bars stay docked in this program, so only
    // the attempt is noted.
    ++m_nDragStarts;
}

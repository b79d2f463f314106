#include "platform/window/RasterWindowHost.h"

#include "platform/drawing/RecordingDC.h"
#include "platform/window/Wnd.h"

#include <algorithm>
#include <memory>

void CRasterWindowHost::WindowDestroyed(CWnd& wnd)
{
    m_paints.erase(&wnd);
}

CDC* CRasterWindowHost::AcquireDC(CWnd& wnd, const CRect*)
{
    auto* dc = new CRecordingDC();
    if (m_target != nullptr && m_root != nullptr && (&wnd == m_root || m_root->IsChild(&wnd))) {
        CRect rootRect, rect;
        m_root->GetWindowRect(&rootRect);
        wnd.GetWindowRect(&rect);
        rect.OffsetRect(-rootRect.left, -rootRect.top);
        // What shows of a child is also inside every ancestor up to the root.
        CRect visible = rect;
        for (CWnd* p = wnd.GetParent(); p != nullptr && p != m_root->GetParent(); p = p->GetParent()) {
            CRect pr;
            p->GetWindowRect(&pr);
            pr.OffsetRect(-rootRect.left, -rootRect.top);
            CRect both;
            both.IntersectRect(visible, pr);
            visible = both;
        }
        dc->SelectObject(m_target);
        dc->SetViewportOrg(rect.left, rect.top);
        visible.OffsetRect(-rect.left, -rect.top);
        dc->IntersectClipRect(visible);
    }
    return dc;
}

void CRasterWindowHost::ReleaseDC(CWnd& wnd, CDC* dc)
{
    auto* recording = dynamic_cast<CRecordingDC*>(dc);
    if (recording != nullptr)
        m_paints[&wnd] = recording->Ops();
    delete dc;
}

const std::vector<DrawOp>& CRasterWindowHost::LastPaint(const CWnd& wnd) const
{
    static const std::vector<DrawOp> none;
    auto it = m_paints.find(&wnd);
    return it == m_paints.end() ? none : it->second;
}

void CRasterWindowHost::PaintTree(CWnd& wnd)
{
    if (!wnd.IsWindowVisible())
        return;
    HWND h = wnd.GetSafeHwnd();
    wnd.Invalidate(TRUE);
    wnd.UpdateWindow();
    if (CWnd::FromHandle(h) != &wnd)
        return;
    std::vector<CWnd*> children = wnd.GetChildren();
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        PaintTree(**it);
}

CBitmap CRasterWindowHost::Snapshot(CWnd& top)
{
    CRect r;
    top.GetWindowRect(&r);
    CBitmap picture(std::max(1, r.Width()), std::max(1, r.Height()), GetSysColor(COLOR_BTNFACE));
    m_target = &picture;
    m_root = &top;
    PaintTree(top);
    m_target = nullptr;
    m_root = nullptr;
    return picture;
}

CRasterWindowHost& InstallRasterWindowHost()
{
    auto host = std::make_unique<CRasterWindowHost>();
    CRasterWindowHost& ref = *host;
    SetWindowHost(std::move(host));
    return ref;
}

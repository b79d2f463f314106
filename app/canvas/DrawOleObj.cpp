#include "app/canvas/DrawOleObj.h"

#include "platform/drawing/DC.h"

CDrawItem::~CDrawItem()
{
    if (m_pDrawObj != nullptr)
        m_pDrawObj->m_pClientItem = nullptr;
}

void CDrawItem::Serialize(CDrawArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteU16(m_bLinked ? 1 : 0);
        ar.WriteBytes(m_data);
    } else {
        m_bLinked = ar.ReadU16() != 0;
        m_data = ar.ReadBytes();
    }
}

CDrawOleObj::CDrawOleObj(const CRect& position) : CDrawObj(position) {}

CDrawOleObj::~CDrawOleObj()
{
    if (m_pClientItem != nullptr) {
        m_pClientItem->SetDrawObj(nullptr);
        delete m_pClientItem;
    }
}

void CDrawOleObj::Serialize(CDrawArchive& ar)
{
    CDrawObj::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteI32(m_extent.cx);
        ar.WriteI32(m_extent.cy);
        ar.WriteU16(m_pClientItem != nullptr ? 1 : 0);
        if (m_pClientItem != nullptr)
            m_pClientItem->Serialize(ar);
    } else {
        m_extent.cx = ar.ReadI32();
        m_extent.cy = ar.ReadI32();
        delete m_pClientItem;
        m_pClientItem = nullptr;
        if (ar.ReadU16() != 0) {
            m_pClientItem = new CDrawItem(this);
            m_pClientItem->Serialize(ar);
        }
    }
}

void CDrawOleObj::Draw(CDC* pDC)
{
    if (pDC == nullptr || pDC->IsPrinting())
        return;
    // The object's own picture cannot be had without its server: its place is shown by a frame,
    // dotted for a linked object, and crossed out so it does not pass for an empty component.
    CRect rect = m_position;
    pDC->LPtoDP(&rect);
    rect.NormalizeRect();
    const bool linked = m_pClientItem != nullptr && m_pClientItem->IsLinked();
    CPen pen(linked ? PS_DOT : PS_SOLID, 1, RGB(0, 0, 0));
    const int saved = pDC->SaveDC();
    pDC->SelectObject(&pen);
    pDC->SetMapMode(MM_TEXT);
    pDC->SetWindowOrg(0, 0);
    pDC->SetViewportOrg(0, 0);
    pDC->MoveTo(rect.left, rect.top);
    pDC->LineTo(rect.right - 1, rect.top);
    pDC->LineTo(rect.right - 1, rect.bottom - 1);
    pDC->LineTo(rect.left, rect.bottom - 1);
    pDC->LineTo(rect.left, rect.top);
    pDC->LineTo(rect.right - 1, rect.bottom - 1);
    pDC->MoveTo(rect.right - 1, rect.top);
    pDC->LineTo(rect.left, rect.bottom - 1);
    pDC->RestoreDC(saved);
}

void CDrawOleObj::MoveTo(const CRect& position, const ICanvasMapping* pView)
{
    if (position == m_position)
        return;
    CDrawObj::MoveTo(position, pView);
    // The base class leaves moving to its derived classes; an embedded object has no server
    // to follow it, so the rectangle is all there is to move.
    Invalidate();
    m_position = position;
    Invalidate();
    SetDocumentModified();
}

void CDrawOleObj::OnOpen(const ICanvasMapping*)
{
    // Opening needs the object's server, which this platform does not have.
}

void CDrawOleObj::OnEditProperties() {}

CDrawObj* CDrawOleObj::Clone() const
{
    CWaitCursor wait;
    auto* clone = new CDrawOleObj(m_position);
    clone->CopyAppearance(*this);
    clone->m_extent = m_extent;
    if (m_pClientItem != nullptr) {
        clone->m_pClientItem = new CDrawItem(clone);
        clone->m_pClientItem->m_bLinked = m_pClientItem->m_bLinked;
        clone->m_pClientItem->m_data = m_pClientItem->m_data;
    }
    return clone;
}

void CDrawOleObj::Remove()
{
    delete m_pClientItem; // clears m_pClientItem
    CDrawObj::Remove();
}

#include "app/canvas/DrawObj.h"

#include "platform/drawing/DC.h"

// ---- archive ----

void CDrawArchive::WriteU16(std::uint16_t v)
{
    m_bytes.push_back(static_cast<std::uint8_t>(v));
    m_bytes.push_back(static_cast<std::uint8_t>(v >> 8));
}

void CDrawArchive::WriteU32(std::uint32_t v)
{
    WriteU16(static_cast<std::uint16_t>(v));
    WriteU16(static_cast<std::uint16_t>(v >> 16));
}

void CDrawArchive::WriteRect(const CRect& r)
{
    WriteI32(r.left);
    WriteI32(r.top);
    WriteI32(r.right);
    WriteI32(r.bottom);
}

void CDrawArchive::WriteBytes(const std::vector<std::uint8_t>& bytes)
{
    WriteU32(static_cast<std::uint32_t>(bytes.size()));
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
}

void CDrawArchive::Need(std::size_t n) const
{
    if (m_bytes.size() - m_pos < n)
        throw ReadError("the object data ends early");
}

std::uint16_t CDrawArchive::ReadU16()
{
    Need(2);
    const auto v = static_cast<std::uint16_t>(m_bytes[m_pos] | (m_bytes[m_pos + 1] << 8));
    m_pos += 2;
    return v;
}

std::uint32_t CDrawArchive::ReadU32()
{
    const std::uint32_t lo = ReadU16();
    const std::uint32_t hi = ReadU16();
    return lo | (hi << 16);
}

CRect CDrawArchive::ReadRect()
{
    CRect r;
    r.left = ReadI32();
    r.top = ReadI32();
    r.right = ReadI32();
    r.bottom = ReadI32();
    return r;
}

std::vector<std::uint8_t> CDrawArchive::ReadBytes()
{
    const std::uint32_t n = ReadU32();
    Need(n);
    std::vector<std::uint8_t> bytes(m_bytes.begin() + static_cast<std::ptrdiff_t>(m_pos),
                                    m_bytes.begin() + static_cast<std::ptrdiff_t>(m_pos + n));
    m_pos += n;
    return bytes;
}

// ---- canvas object ----

void CDrawObj::Serialize(CDrawArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteRect(m_position);
        ar.WriteU16(m_bPen ? 1 : 0);
        ar.WriteU32(m_logpen.lopnStyle);
        ar.WriteI32(m_logpen.lopnWidth.x);
        ar.WriteI32(m_logpen.lopnWidth.y);
        ar.WriteU32(m_logpen.lopnColor);
        ar.WriteU16(m_bBrush ? 1 : 0);
        ar.WriteU32(m_logbrush.lbStyle);
        ar.WriteU32(m_logbrush.lbColor);
        ar.WriteU32(m_logbrush.lbHatch);
    } else {
        m_pDocument = ar.GetDocument();
        m_position = ar.ReadRect();
        m_bPen = ar.ReadU16() != 0;
        m_logpen.lopnStyle = ar.ReadU32();
        m_logpen.lopnWidth.x = ar.ReadI32();
        m_logpen.lopnWidth.y = ar.ReadI32();
        m_logpen.lopnColor = ar.ReadU32();
        m_bBrush = ar.ReadU16() != 0;
        m_logbrush.lbStyle = ar.ReadU32();
        m_logbrush.lbColor = ar.ReadU32();
        m_logbrush.lbHatch = ar.ReadU32();
    }
}

CPoint CDrawObj::GetHandle(int nHandle) const
{
    const CRect& r = m_position;
    // Signed division truncates toward zero, so an odd width puts the centre handle one twip
    // nearer the left or top edge.
    const int xc = r.left + (r.right - r.left) / 2;
    const int yc = r.top + (r.bottom - r.top) / 2;
    switch (nHandle) {
    case 2:
        return {xc, r.top};
    case 3:
        return {r.right, r.top};
    case 4:
        return {r.right, yc};
    case 5:
        return {r.right, r.bottom};
    case 6:
        return {xc, r.bottom};
    case 7:
        return {r.left, r.bottom};
    case 8:
        return {r.left, yc};
    default:
        return {r.left, r.top};
    }
}

HCURSOR CDrawObj::GetHandleCursor(int nHandle) const
{
    switch (nHandle) {
    case 1:
    case 5:
        return LoadCursorId(IDC_SIZENWSE);
    case 2:
    case 6:
        return LoadCursorId(IDC_SIZENS);
    case 3:
    case 7:
        return LoadCursorId(IDC_SIZENESW);
    case 4:
    case 8:
        return LoadCursorId(IDC_SIZEWE);
    default:
        return LoadCursorId(IDC_ARROW);
    }
}

void CDrawObj::SetDocumentModified()
{
    // Objects held by the clipboard list or the undo history belong to no document.
    if (m_pDocument != nullptr)
        m_pDocument->MarkModified();
}

void CDrawObj::SetLineColor(COLORREF color)
{
    m_logpen.lopnColor = color;
    Invalidate();
    SetDocumentModified();
}

void CDrawObj::SetFillColor(COLORREF color)
{
    m_logbrush.lbColor = color;
    Invalidate();
    SetDocumentModified();
}

void CDrawObj::Draw(CDC*) {}

void CDrawObj::MoveTo(const CRect&, const ICanvasMapping*) {}

CRect CDrawObj::GetHandleRect(int nHandle, const ICanvasMapping* pView) const
{
    CPoint p = GetHandle(nHandle);
    if (pView == nullptr) {
        // Without a view the canvas is at 100 %: twenty twips to the pixel.
        return {p.x - 60, p.y - 60, p.x + 60, p.y + 60};
    }
    p = pView->DocToClient(p);
    return pView->ClientToDoc(CRect(p.x - 3, p.y - 3, p.x + 3, p.y + 3));
}

void CDrawObj::DrawHandles(CDC* pDC, const ICanvasMapping* pView) const
{
    // A white rim around a black core reads on dark and light components alike. Every rim goes
    // down before any core, so handles that overlap merge rather than cut into each other.
    const int count = GetHandleCount();
    for (int pass = 0; pass < 2; ++pass) {
        for (int n = 1; n <= count; ++n) {
            CRect square = GetHandleRect(n, pView);
            square.NormalizeRect();
            if (pass == 1)
                square.DeflateRect(square.Width() / 6, square.Height() / 6);
            pDC->FillSolidRect(square, pass == 0 ? RGB(255, 255, 255) : RGB(0, 0, 0));
        }
    }
}

int CDrawObj::HitTest(CPoint point, const ICanvasMapping* pView, bool bSelected) const
{
    if (bSelected) {
        const int count = GetHandleCount();
        for (int n = 1; n <= count; ++n) {
            CRect rc = GetHandleRect(n, pView);
            rc.NormalizeRect();
            if (CanvasRectHolds(rc, point))
                return n;
        }
        return 0;
    }
    return CanvasRectHolds(m_position, point) ? 1 : 0;
}

bool CDrawObj::Intersects(const CRect& rect) const
{
    CRect mine = m_position;
    mine.NormalizeRect();
    CRect other = rect;
    other.NormalizeRect();
    CRect both;
    return both.IntersectRect(mine, other);
}

void CDrawObj::MoveHandleTo(int, CPoint, const ICanvasMapping*, bool) {}

void CDrawObj::OnOpen(const ICanvasMapping*)
{
    OnEditProperties();
}

void CDrawObj::OnEditProperties() {}

void CDrawObj::CopyAppearance(const CDrawObj& from)
{
    m_bPen = from.m_bPen;
    m_logpen = from.m_logpen;
    m_bBrush = from.m_bBrush;
    m_logbrush = from.m_logbrush;
}

CDrawObj* CDrawObj::Clone() const
{
    auto* clone = new CDrawObj(m_position);
    clone->CopyAppearance(*this);
    return clone;
}

void CDrawObj::Remove()
{
    delete this;
}

void CDrawObj::SetBounds(int, int, int, int) {}

void CDrawObj::TrackHandle(int, int, int, CRect&, bool, int, int) {}

void CDrawObj::Refresh(int)
{
    SetDocumentModified();
    Invalidate();
}

void CDrawObj::FollowPropertyPanel() {}

void CDrawObj::Invalidate()
{
    if (m_pDocument != nullptr)
        m_pDocument->UpdateObjectViews(this);
}

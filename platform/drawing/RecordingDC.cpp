#include "platform/drawing/RecordingDC.h"

#include "platform/drawing/RasterDC.h"

CRecordingDC::CRecordingDC(int width, int height, COLORREF fill)
{
    m_surface.CreateBitmap(width, height, fill);
}

const CBitmap* CRecordingDC::GetSurface() const
{
    if (const CBitmap* selected = GetSelectedBitmap())
        return selected;
    return m_surface.IsCreated() ? &m_surface : nullptr;
}

void CRecordingDC::Render(const DrawOp& op)
{
    if (CBitmap* selected = GetSelectedBitmap())
        ui::RenderOp(*selected, op);
    else if (m_surface.IsCreated())
        ui::RenderOp(m_surface, op);
    m_ops.push_back(op);
    m_ops.back().sourcePixels = nullptr; // borrowed only while rendering
}

std::size_t CRecordingDC::Count(DrawOp::Kind kind) const
{
    std::size_t n = 0;
    for (const DrawOp& op : m_ops)
        if (op.kind == kind)
            ++n;
    return n;
}

const DrawOp* CRecordingDC::Find(DrawOp::Kind kind, std::size_t nth) const
{
    for (const DrawOp& op : m_ops)
        if (op.kind == kind && nth-- == 0)
            return &op;
    return nullptr;
}

std::vector<std::string> CRecordingDC::Texts() const
{
    std::vector<std::string> out;
    for (const DrawOp& op : m_ops)
        if (op.kind == DrawOp::Kind::Text)
            out.push_back(op.text);
    return out;
}

#include "platform/controls/ImageList.h"

#include "platform/drawing/DC.h"

#include <algorithm>

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow)
{
    if (cx <= 0 || cy <= 0 || initial < 0 || grow < 0)
        return FALSE;
    m_created = true;
    m_cx = cx;
    m_cy = cy;
    m_flags = flags;
    m_grow = grow;
    m_images.clear();
    m_images.reserve(static_cast<std::size_t>(std::min(initial, 4096)));
    return TRUE;
}

int CImageList::Add(const CBitmap* strip, COLORREF mask)
{
    if (!m_created || strip == nullptr || !strip->IsCreated())
        return -1;
    int first = GetImageCount();
    int count = std::max(1, strip->Width() / m_cx);
    for (int i = 0; i < count; ++i) {
        CBitmap picture(m_cx, m_cy, 0);
        for (int y = 0; y < m_cy; ++y)
            for (int x = 0; x < m_cx; ++x) {
                int sx = i * m_cx + x;
                if (sx < strip->Width() && y < strip->Height())
                    picture.SetPixel(x, y, strip->GetPixel(sx, y));
            }
        if (m_flags & ILC_MASK)
            picture.MaskColour(mask);
        m_images.push_back(std::move(picture));
    }
    return first;
}

int CImageList::Add(const CBitmap* strip, const CBitmap* maskBitmap)
{
    int first = Add(strip, static_cast<COLORREF>(0xFFFFFFFF));
    if (first < 0 || maskBitmap == nullptr)
        return first;
    for (int i = first; i < GetImageCount(); ++i) {
        CBitmap& picture = m_images[static_cast<std::size_t>(i)];
        for (int y = 0; y < m_cy; ++y)
            for (int x = 0; x < m_cx; ++x)
                if (maskBitmap->GetPixel((i - first) * m_cx + x, y) == RGB(255, 255, 255))
                    picture.SetTransparent(x, y, true);
    }
    return first;
}

BOOL CImageList::Replace(int index, const CBitmap* picture)
{
    if (index < 0 || index >= GetImageCount() || picture == nullptr)
        return FALSE;
    CBitmap copy(m_cx, m_cy, 0);
    for (int y = 0; y < m_cy; ++y)
        for (int x = 0; x < m_cx; ++x)
            if (x < picture->Width() && y < picture->Height())
                copy.SetPixel(x, y, picture->GetPixel(x, y));
    m_images[static_cast<std::size_t>(index)] = std::move(copy);
    return TRUE;
}

BOOL CImageList::Remove(int index)
{
    if (index == -1) {
        m_images.clear();
        return TRUE;
    }
    if (index < 0 || index >= GetImageCount())
        return FALSE;
    m_images.erase(m_images.begin() + index);
    return TRUE;
}

const CBitmap* CImageList::GetImage(int index) const
{
    if (index < 0 || index >= GetImageCount())
        return nullptr;
    return &m_images[static_cast<std::size_t>(index)];
}

BOOL CImageList::Draw(CDC* dc, int index, CPoint at, UINT style) const
{
    const CBitmap* picture = GetImage(index);
    if (dc == nullptr || picture == nullptr)
        return FALSE;
    dc->DrawImage(at.x, at.y, *picture, (style & ILD_TRANSPARENT) != 0 || (m_flags & ILC_MASK) != 0);
    return TRUE;
}

BOOL CImageList::DeleteImageList()
{
    *this = CImageList();
    return TRUE;
}

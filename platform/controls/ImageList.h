#pragma once

#include "platform/drawing/Bitmap.h"
#include "platform/window/Messages.h"

#include <vector>

class CDC;

constexpr UINT ILC_MASK = 0x1;
constexpr UINT ILC_COLOR = 0x0;
constexpr UINT ILC_COLOR8 = 0x8;
constexpr UINT ILC_COLOR24 = 0x18;
constexpr UINT ILC_COLOR32 = 0x20;
constexpr UINT ILD_NORMAL = 0x0;
constexpr UINT ILD_TRANSPARENT = 0x1;

// Pictures of one size, added from strips; a mask colour marks transparent pixels.
class CImageList {
public:
    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    // Cuts the strip into pictures of the list's width; returns the first new index or -1.
    int Add(const CBitmap* strip, COLORREF mask);
    int Add(const CBitmap* strip, const CBitmap* maskBitmap);
    BOOL Replace(int index, const CBitmap* picture);
    BOOL Remove(int index); // -1 removes all
    int GetImageCount() const { return static_cast<int>(m_images.size()); }
    const CBitmap* GetImage(int index) const;
    CSize GetImageSize() const { return {m_cx, m_cy}; }
    int GetGrow() const { return m_grow; }
    BOOL Draw(CDC* dc, int index, CPoint at, UINT style) const;
    BOOL DeleteImageList();
    bool IsCreated() const { return m_created; }

private:
    bool m_created = false;
    int m_cx = 0;
    int m_cy = 0;
    UINT m_flags = 0;
    int m_grow = 0;
    std::vector<CBitmap> m_images;
};

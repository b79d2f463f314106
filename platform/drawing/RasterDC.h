#pragma once

#include "platform/drawing/DC.h"

#include <memory>

// A context that draws into 32-bit pixels: its own surface, or the picture selected into it
// when it is a memory context.
class CRasterDC : public CDC {
public:
    // A memory context: it draws nothing until a picture is selected into it.
    CRasterDC();
    CRasterDC(int width, int height, COLORREF fill = RGB(255, 255, 255));

    const CBitmap* GetSurface() const override;
    CBitmap* GetSurface();
    std::unique_ptr<CRasterDC> CreateCompatibleDC() const { return std::make_unique<CRasterDC>(); }

protected:
    void Render(const DrawOp& op) override;

private:
    CBitmap m_surface;
};

namespace ui {

// Draws one operation into a picture; shared by every context that has pixels.
void RenderOp(CBitmap& target, const DrawOp& op);

} // namespace ui

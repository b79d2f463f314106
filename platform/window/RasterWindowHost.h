#pragma once

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/DC.h"
#include "platform/window/WindowHost.h"

#include <map>
#include <vector>

// A window host that lets windows paint: every paint gets a recording context, so tests can
// read what a window drew, and during a snapshot the same context also draws into the pixels
// of the window tree's picture, which can be written out as PNG for a person to look at.
class CRasterWindowHost : public IWindowHost {
public:
    void WindowDestroyed(CWnd& wnd) override;
    CDC* AcquireDC(CWnd& wnd, const CRect* paintRect) override;
    void ReleaseDC(CWnd& wnd, CDC* dc) override;

    // Paints a window and its visible descendants (parents first, then children from the
    // bottom of the z-order up) into a picture of the window's size.
    CBitmap Snapshot(CWnd& top);
    // What the last paint of a window drew; empty when it has not painted.
    const std::vector<DrawOp>& LastPaint(const CWnd& wnd) const;

private:
    void PaintTree(CWnd& wnd);

    std::map<const CWnd*, std::vector<DrawOp>> m_paints;
    CBitmap* m_target = nullptr;
    CWnd* m_root = nullptr;
};

// Installs a fresh raster host as the window host and returns it.
CRasterWindowHost& InstallRasterWindowHost();

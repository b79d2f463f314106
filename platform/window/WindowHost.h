#pragma once

// The seam between the headless window model and whatever shows it. The program and the
// tests run with the default host, which shows nothing; a visible front end (or the drawing
// layer's recording contexts) installs its own host to create device contexts and to follow
// windows as they are created, moved, shown and destroyed.

#include <memory>

#include "platform/drawing/Geometry.h"

class CWnd;
class CDC;

class IWindowHost {
public:
    virtual ~IWindowHost() = default;

    virtual void WindowCreated(CWnd&) {}
    virtual void WindowDestroyed(CWnd&) {}
    // Position, size, visibility, enabled state or text changed.
    virtual void WindowChanged(CWnd&) {}

    // Device contexts for painting (the area being painted) and for drawing outside painting
    // (`paintRect` null). The default host has none; callers then skip drawing.
    virtual CDC* AcquireDC(CWnd&, const CRect* /*paintRect*/) { return nullptr; }
    virtual void ReleaseDC(CWnd&, CDC*) {}
};

IWindowHost& GetWindowHost();
void SetWindowHost(std::unique_ptr<IWindowHost> host);
void ResetWindowHost();

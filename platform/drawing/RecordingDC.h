#pragma once

#include "platform/drawing/DC.h"

#include <vector>

// A context that keeps every operation, in logical and device units, for tests to inspect.
// Given a size it also draws into pixels of its own, so one test can check both.
class CRecordingDC : public CDC {
public:
    CRecordingDC() = default;
    CRecordingDC(int width, int height, COLORREF fill = RGB(255, 255, 255));

    const std::vector<DrawOp>& Ops() const { return m_ops; }
    void Clear() { m_ops.clear(); }
    std::size_t Count(DrawOp::Kind kind) const;
    // The first (or nth) operation of a kind, or null.
    const DrawOp* Find(DrawOp::Kind kind, std::size_t nth = 0) const;
    // The texts drawn, in order.
    std::vector<std::string> Texts() const;

    const CBitmap* GetSurface() const override;

protected:
    void Render(const DrawOp& op) override;

private:
    std::vector<DrawOp> m_ops;
    CBitmap m_surface;
};

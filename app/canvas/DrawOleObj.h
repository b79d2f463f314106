#pragma once

// Embedded objects of other programs. There is no embedding service on this platform, so an
// embedded object keeps what makes it part of a layout: its rectangle, the server's extent and
// the server's stored data, which travel unchanged through serialisation and cloning. It is drawn
// as a frame where the object would show.

#include <cstdint>
#include <vector>

#include "app/canvas/DrawObj.h"

class CDrawOleObj;

// The client item of an embedded object: the server's data as it was stored.
class CDrawItem {
public:
    explicit CDrawItem(CDrawOleObj* owner) : m_pDrawObj(owner) {}
    ~CDrawItem();
    CDrawItem(const CDrawItem&) = delete;
    CDrawItem& operator=(const CDrawItem&) = delete;

    const char* GetRuntimeClass() const { return "CDrawItem"; }
    void Serialize(CDrawArchive& ar);

    CDrawOleObj* GetDrawObj() const { return m_pDrawObj; }
    void SetDrawObj(CDrawOleObj* owner) { m_pDrawObj = owner; }
    bool IsLinked() const { return m_bLinked; }

    // The item's own data, kept as it came in.
    bool m_bLinked = false;
    std::vector<std::uint8_t> m_data;

private:
    CDrawOleObj* m_pDrawObj;
};

class CDrawOleObj : public CDrawObj {
public:
    explicit CDrawOleObj(const CRect& position = CRect());
    ~CDrawOleObj() override;

    const char* GetRuntimeClass() const override { return "CDrawOleObj"; }
    void Serialize(CDrawArchive& ar) override;
    void Draw(CDC* pDC) override;
    void MoveTo(const CRect& position, const ICanvasMapping* pView) override;
    void OnOpen(const ICanvasMapping* pView) override;
    void OnEditProperties() override;
    CDrawObj* Clone() const override;
    void Remove() override;

    // The item is owned; its destructor clears this pointer.
    CDrawItem* m_pClientItem = nullptr;
    // The server's extent in HIMETRIC, 0 by 0 until first known.
    CSize m_extent{0, 0};
};

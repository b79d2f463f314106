#pragma once

// Canvas objects: everything that stands on the canvas derives from CDrawObj, which carries the
// object's rectangle (twips, y downward), its document, a pen and a brush, and the operations
// through which the view, the drawing tools and the layout commands treat every object alike.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/canvas/CanvasDocument.h"
#include "platform/drawing/Geometry.h"
#include "platform/window/Input.h"

class CDC;
class CDrawObj;

// Pen and brush as stored with an object. Nothing draws with them; they are kept, copied and
// serialised so that an object's appearance settings survive.
constexpr unsigned PS_INSIDEFRAME = 6;
constexpr unsigned BS_SOLID = 0;
struct LOGPEN {
    unsigned lopnStyle = PS_INSIDEFRAME;
    CPoint lopnWidth{1, 1};
    COLORREF lopnColor = RGB(0, 0, 0);
};
struct LOGBRUSH {
    unsigned lbStyle = BS_SOLID;
    COLORREF lbColor = RGB(0xC0, 0xC0, 0xC0);
    std::uint32_t lbHatch = 0;
};

// How a view maps canvas twips to its client pixels. The canvas view implements it; the
// handle rectangles are built in pixels so that handles keep their size at every zoom.
class ICanvasMapping {
public:
    virtual ~ICanvasMapping() = default;
    virtual CPoint DocToClient(CPoint point) const = 0;
    virtual CRect ClientToDoc(const CRect& rect) const = 0;
};

// The binary form objects serialise to: little-endian fields, read back with bounds checks.
class CDrawArchive {
public:
    struct ReadError : std::runtime_error {
        using std::runtime_error::runtime_error;
    };

    CDrawArchive() = default;
    // An archive that reads the given bytes; objects read from it belong to the document.
    explicit CDrawArchive(std::vector<std::uint8_t> bytes, ICanvasDocument* doc = nullptr)
        : m_bytes(std::move(bytes)), m_bLoading(true), m_pDocument(doc)
    {
    }

    bool IsStoring() const { return !m_bLoading; }
    bool IsLoading() const { return m_bLoading; }
    ICanvasDocument* GetDocument() const { return m_pDocument; }
    const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }
    bool AtEnd() const { return m_pos == m_bytes.size(); }

    void WriteU16(std::uint16_t v);
    void WriteU32(std::uint32_t v);
    void WriteI32(std::int32_t v) { WriteU32(static_cast<std::uint32_t>(v)); }
    void WriteRect(const CRect& r);
    void WriteBytes(const std::vector<std::uint8_t>& bytes);
    std::uint16_t ReadU16();
    std::uint32_t ReadU32();
    std::int32_t ReadI32() { return static_cast<std::int32_t>(ReadU32()); }
    CRect ReadRect();
    // A block of the length written before it; never longer than what is left.
    std::vector<std::uint8_t> ReadBytes();

private:
    void Need(std::size_t n) const;

    std::vector<std::uint8_t> m_bytes;
    std::size_t m_pos = 0;
    bool m_bLoading = false;
    ICanvasDocument* m_pDocument = nullptr;
};

class CDrawObj {
public:
    CDrawObj() = default;
    explicit CDrawObj(const CRect& position) : m_position(position) {}
    virtual ~CDrawObj() = default;
    CDrawObj(const CDrawObj&) = delete;
    CDrawObj& operator=(const CDrawObj&) = delete;

    // Every object on the canvas reports the base class's name, component objects included.
    virtual const char* GetRuntimeClass() const { return "CDrawObj"; }
    virtual void Serialize(CDrawArchive& ar);

    virtual int GetHandleCount() const { return 8; }
    virtual CPoint GetHandle(int nHandle) const;
    virtual HCURSOR GetHandleCursor(int nHandle) const;
    virtual void SetLineColor(COLORREF color);
    virtual void SetFillColor(COLORREF color);

    virtual void Draw(CDC* pDC);
    virtual void MoveTo(const CRect& position, const ICanvasMapping* pView);
    // 0 for a miss; for a selected object the handle hit (1..count), else 1 inside the object.
    virtual int HitTest(CPoint point, const ICanvasMapping* pView, bool bSelected) const;
    virtual bool Intersects(const CRect& rect) const;
    virtual void MoveHandleTo(int nHandle, CPoint point, const ICanvasMapping* pView, bool bFlag);
    virtual void OnOpen(const ICanvasMapping* pView);
    virtual void OnEditProperties();
    // A copy with the same position, pen and brush, belonging to no document.
    virtual CDrawObj* Clone() const;
    // Deletes the object.
    virtual void Remove();
    virtual void SetBounds(int left, int top, int right, int bottom);
    virtual void TrackHandle(int nHandle, int x, int y, CRect& rect, bool bFlag, int minWidth, int minHeight);
    virtual void Refresh(int nFlag);
    virtual void FollowPropertyPanel();

    // Asks every view of the document to redraw this object's area.
    void Invalidate();
    // The square of a handle, six pixels wide whatever the zoom, in twips.
    CRect GetHandleRect(int nHandle, const ICanvasMapping* pView) const;
    // Paints every handle as a solid square, so handles that meet (a small object, corners
    // shared by two selected objects) stay visible instead of cancelling each other out.
    void DrawHandles(CDC* pDC, const ICanvasMapping* pView) const;

    ICanvasDocument* GetDocument() const { return m_pDocument; }
    void SetDocument(ICanvasDocument* doc) { m_pDocument = doc; }

    CRect m_position;
    bool m_bPen = true;
    LOGPEN m_logpen;
    bool m_bBrush = true;
    LOGBRUSH m_logbrush;

protected:
    // The pen, brush and their flags of another object.
    void CopyAppearance(const CDrawObj& from);
    // The document's modified flag, when the object belongs to one.
    void SetDocumentModified();

    ICanvasDocument* m_pDocument = nullptr;
};

// Hints the document passes to its views with UpdateAllViews.
enum : long {
    HINT_UPDATE_DRAWOBJ = 1,
    HINT_UPDATE_OLE_INDICATION = 4,
    // The document is about to be emptied for a new or opened document: views forget their
    // selections and undo histories first.
    HINT_RESET_VIEW = 5,
};

// The containment test the canvas uses: left and bottom edges inside, right and top edges out.
// The asymmetry dates from a flipped y axis; stored layouts and tools rely on it.
inline bool CanvasRectHolds(const CRect& r, CPoint p)
{
    return r.left <= p.x && p.x < r.right && r.top < p.y && p.y <= r.bottom;
}

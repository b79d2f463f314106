#pragma once

// The drawing tools: the canvas view hands every left-button press, release, double click,
// move and context click to the current tool. The select tool selects (click, Ctrl-click,
// Shift-click, rubber band), moves with snapping to the grid and resizes by the handles; the
// component tool places the component chosen in the palette. Moves and resizes reach the stage
// and the undo history when the button is released, as one record each.

#include <vector>

#include "platform/drawing/Geometry.h"

class CComponentDef;
class CDC;
class CDrawObj;
class CDesignerContext;
class ICanvasView;

// The tools' shared drag state, and the shape and component the palette chose.
struct CDrawToolState {
    enum SelectMode { None = 0, RubberBand = 1, Move = 2, Size = 3 };
    enum Shape { SelectShape = 0, ComponentShape = 2 };

    int shape = SelectShape;
    CComponentDef* definition = nullptr;
    CPoint downPoint;
    CPoint lastPoint;
    unsigned downFlags = 0;
    SelectMode mode = None;
    int dragHandle = 0;
    CPoint lastLogical;
    bool sizing = false;
    bool keepAspect = false;
    bool moved = false;
    CRect tracked;
    // The focus rectangle of the rubber band, in client pixels, while it shows.
    bool bandShown = false;
    CRect band;
};

class CDrawTool {
public:
    explicit CDrawTool(int shape);
    virtual ~CDrawTool() = default;
    CDrawTool(const CDrawTool&) = delete;
    CDrawTool& operator=(const CDrawTool&) = delete;

    // The first tool of the shape in the current designer context, or null.
    static CDrawTool* FindTool(int shape);

    virtual void OnLButtonDown(ICanvasView* pView, unsigned nFlags, CPoint point);
    virtual void OnLButtonDblClk(ICanvasView* pView, unsigned nFlags, CPoint point);
    virtual void OnLButtonUp(ICanvasView* pView, unsigned nFlags, CPoint point);
    virtual void OnContextSelect(ICanvasView* pView, unsigned nFlags, CPoint point);
    virtual void OnMouseMove(ICanvasView* pView, unsigned nFlags, CPoint point);
    virtual void OnEditProperties(ICanvasView* pView);
    virtual void OnCancel(ICanvasView* pView);
    virtual void DrawTracking(ICanvasView* pView, CDC* pDC);
    virtual void DrawHandles(ICanvasView* pView, CDC* pDC, CDrawObj* obj);

    int GetShape() const { return m_nShape; }

protected:
    int m_nShape;
};

class CSelectTool : public CDrawTool {
public:
    CSelectTool() : CDrawTool(CDrawToolState::SelectShape) {}
    void OnLButtonDown(ICanvasView* pView, unsigned nFlags, CPoint point) override;
    void OnLButtonDblClk(ICanvasView* pView, unsigned nFlags, CPoint point) override;
    void OnLButtonUp(ICanvasView* pView, unsigned nFlags, CPoint point) override;
    void OnContextSelect(ICanvasView* pView, unsigned nFlags, CPoint point) override;
    void OnMouseMove(ICanvasView* pView, unsigned nFlags, CPoint point) override;
    void OnEditProperties(ICanvasView* pView) override;
    void DrawTracking(ICanvasView* pView, CDC* pDC) override;
    void DrawHandles(ICanvasView* pView, CDC* pDC, CDrawObj* obj) override;

    // The offset that brings the rectangle's left and top onto the nearest grid lines within
    // the snapping distance (steps and canvas in twips).
    static CPoint SnapOffset(const CRect& moved, int stepX, int stepY, int canvasWidth, int canvasHeight);

private:
    void FollowOrClosePanel(ICanvasView* pView);
};

class CComponentTool : public CSelectTool {
public:
    CComponentTool();
    void OnLButtonDown(ICanvasView* pView, unsigned nFlags, CPoint point) override;
    void OnMouseMove(ICanvasView* pView, unsigned nFlags, CPoint point) override;
};

// Gives the context one tool of each shape.
void InstallDrawTools(CDesignerContext& context);
// The context's first tool of the shape, or null.
CDrawTool* FindTool(CDesignerContext& context, int shape);

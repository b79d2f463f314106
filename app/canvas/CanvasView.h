#pragma once

// The canvas view as the tools, the layout commands, the tool windows and the document see it:
// its window, document, selection, tool state and histories. The canvas view implements it;
// what works on the view takes this interface, so the view's own header stays above them.

#include <vector>

#include "app/canvas/DrawObj.h"
#include "app/panels/GridDlg.h"

class CDrawDoc;
class CMultiSelectObj;
class CUndoHistory;
class CViewStyle;
class CWnd;
struct CDrawToolState;

class ICanvasView : public ICanvasMapping, public IGridHost {
public:
    using ICanvasMapping::ClientToDoc;
    using ICanvasMapping::DocToClient;

    virtual CWnd& Window() = 0;
    virtual CDrawDoc* GetDocument() const = 0;
    // Whether the first update has run.
    virtual bool IsInitialised() const = 0;
    virtual bool IsPreview() const = 0;

    // Selection, in the order objects were selected.
    virtual const std::vector<CDrawObj*>& GetSelection() const = 0;
    virtual bool IsSelected(const CDrawObj* obj) const = 0;
    virtual void Select(CDrawObj* obj, bool bAdd = false) = 0;
    virtual void Deselect(CDrawObj* obj) = 0;
    virtual void SelectWithin(const CRect& clientRect, bool bAdd) = 0;
    virtual void InvalObj(CDrawObj* obj) = 0;
    virtual void SortSelectionByZOrder() = 0;
    virtual bool CanEditProperties() = 0;
    virtual bool IsSameKind() const = 0;
    // Deletes the selection as Edit > Clear does.
    virtual void OnEditClear() = 0;

    virtual CPoint ClientToDoc(CPoint point) const = 0;
    // The canvas in client pixels.
    virtual CRect GetCanvasClientRect() const = 0;

    virtual CUndoHistory& GetUndoHistory() = 0;
    virtual CDrawToolState& GetToolState() = 0;
    virtual CMultiSelectObj& GetMultiSelect() = 0;
    virtual CViewStyle& GetViewStyle() = 0;
    virtual void RefreshObjectBrowser() = 0;
};

// The canvas view of the main window, or null.
ICanvasView* GetActiveCanvasView();

#pragma once

// The canvas view: for now it shows the document's name and canvas size on the canvas.

#include "app/DrawObj.h"
#include "app/OfficeInfo.h"
#include "platform/docview/View.h"

class CDrawDoc;

class CDrawView : public CView, public ICanvasMapping {
public:
    // The canvas stands at kCanvasMargin pixels from the client's top left corner, at full size:
    // twenty twips to the pixel.
    static constexpr int kCanvasMargin = 10;
    CPoint DocToClient(CPoint point) const override;
    CRect ClientToDoc(const CRect& rect) const override;

    CDrawDoc* GetDocument() const;
    void OnDraw(CDC* pDC) override;
    void OnInitialUpdate() override;
    // Whether the first update has run (a model may be re-imported only after it).
    bool IsInitialised() const { return m_bInitialised; }

    COfficeInfo m_officeInfo;

private:
    bool m_bInitialised = false;
};

// The canvas view of the main window, or null.
CDrawView* GetActiveDrawView();

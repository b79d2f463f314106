#pragma once

// The canvas view: for now it shows the document's name and canvas size on the canvas.

#include "app/OfficeInfo.h"
#include "platform/docview/View.h"

class CDrawDoc;

class CDrawView : public CView {
public:
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

#include "app/DrawView.h"

#include <algorithm>
#include <cstdio>

#include "app/DrawDoc.h"
#include "platform/docview/Frame.h"
#include "platform/docview/WinApp.h"
#include "platform/drawing/Colors.h"
#include "platform/drawing/DC.h"

CDrawDoc* CDrawView::GetDocument() const
{
    return dynamic_cast<CDrawDoc*>(m_pDocument);
}

void CDrawView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    m_bInitialised = true;
}

void CDrawView::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(client, RGB(128, 128, 128));
    const CDrawDoc* doc = GetDocument();
    if (doc == nullptr) {
        return;
    }
    // The canvas at its size, clipped to the window, with the document's name and size.
    const CRect canvas(10, 10, 10 + std::min(doc->GetCanvasWidth(), client.Width() - 20),
                       10 + std::min(doc->GetCanvasHeight(), client.Height() - 20));
    pDC->FillSolidRect(canvas, RGB(255, 255, 255));
    pDC->Draw3dRect(canvas, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW));
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(RGB(0, 0, 0));
    char size[64];
    std::snprintf(size, sizeof size, "%d x %d pixels", doc->GetCanvasWidth(), doc->GetCanvasHeight());
    pDC->TextOut(canvas.left + 10, canvas.top + 10, doc->GetTitle());
    pDC->TextOut(canvas.left + 10, canvas.top + 30, size);
}

CDrawView* GetActiveDrawView()
{
    auto* frame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
    return frame != nullptr ? dynamic_cast<CDrawView*>(frame->GetActiveView()) : nullptr;
}

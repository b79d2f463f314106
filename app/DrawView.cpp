#include "app/DrawView.h"

#include <algorithm>
#include <cstdio>

#include "app/AppIds.h"
#include "app/DrawDoc.h"
#include "platform/docview/Frame.h"
#include "platform/docview/WinApp.h"
#include "platform/drawing/Colors.h"
#include "platform/drawing/DC.h"

BEGIN_MESSAGE_MAP(CDrawView, CView)
    .Command(ID_EXPORT_SETTINGS, &CDrawView::OnExportSettings)
    .Command(ID_EXPORT_PREVIEW, &CDrawView::OnExportPreview)
    .Command(ID_EXPORT_SWF, &CDrawView::OnExportSwf)
    .Command(ID_EXPORT_HTML, &CDrawView::OnExportHtml)
    .Command(ID_EXPORT_POWERPOINT, &CDrawView::OnExportPowerPoint)
    .Command(ID_EXPORT_OUTLOOK, &CDrawView::OnExportOutlook)
    .Command(ID_EXPORT_PORTAL, &CDrawView::OnExportPortal)
    .Command(ID_SNAPSHOT_EXCEL, &CDrawView::OnSnapshotToExcel)
    .Command(ID_SNAPSHOT_SWF, &CDrawView::OnSnapshotSwf)
    .Command(ID_SNAPSHOT_HTML, &CDrawView::OnSnapshotHtml)
    .Command(ID_SNAPSHOT_POWERPOINT, &CDrawView::OnSnapshotPowerPoint)
    .Command(ID_SNAPSHOT_OUTLOOK, &CDrawView::OnSnapshotOutlook)
    .Command(ID_SEND_POWERPOINT, &CDrawView::OnSendToPowerPoint)
    .Command(ID_SEND_TO_OUTLOOK, &CDrawView::OnSendToOutlook)
    .Command(ID_DATA_IMPORT_MODEL, &CDrawView::OnImportModel)
    .Command(ID_DATA_DIALOG, &CDrawView::OnDataDialog)
    .Command(ID_REPLACE_DATA_SELECTION, &CDrawView::OnReplaceDataSelection) END_MESSAGE_MAP()

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
    const int m = kCanvasMargin;
    const CRect canvas(m, m, m + std::min(doc->GetCanvasWidth(), client.Width() - 2 * m),
                       m + std::min(doc->GetCanvasHeight(), client.Height() - 2 * m));
    pDC->FillSolidRect(canvas, RGB(255, 255, 255));
    pDC->Draw3dRect(canvas, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW));
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(RGB(0, 0, 0));
    char size[64];
    std::snprintf(size, sizeof size, "%d x %d pixels", doc->GetCanvasWidth(), doc->GetCanvasHeight());
    pDC->TextOut(canvas.left + 10, canvas.top + 10, doc->GetTitle());
    pDC->TextOut(canvas.left + 10, canvas.top + 30, size);

    // The objects draw in canvas twips; components are drawn by the stage, so only what the
    // stage does not show (embedded objects' frames) appears here.
    const int saved = pDC->SaveDC();
    pDC->IntersectClipRect(canvas);
    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowExt(20, 20);
    pDC->SetViewportExt(1, 1);
    pDC->OffsetViewportOrg(kCanvasMargin, kCanvasMargin);
    for (CDrawObj* obj : doc->GetObjects())
        obj->Draw(pDC);
    pDC->RestoreDC(saved);
}

CPoint CDrawView::DocToClient(CPoint point) const
{
    return {point.x / 20 + kCanvasMargin, point.y / 20 + kCanvasMargin};
}

CRect CDrawView::ClientToDoc(const CRect& rect) const
{
    CRect doc((rect.left - kCanvasMargin) * 20, (rect.top - kCanvasMargin) * 20, (rect.right - kCanvasMargin) * 20,
              (rect.bottom - kCanvasMargin) * 20);
    doc.NormalizeRect();
    return doc;
}

CDrawView* GetActiveDrawView()
{
    auto* frame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
    return frame != nullptr ? dynamic_cast<CDrawView*>(frame->GetActiveView()) : nullptr;
}

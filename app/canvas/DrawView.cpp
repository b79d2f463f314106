#include "app/canvas/DrawView.h"

#include <algorithm>
#include <cstdio>
#include <exception>

#include "app/canvas/ComponentObj.h"
#include "app/canvas/ComponentPalette.h"
#include "app/canvas/DrawDoc.h"
#include "app/canvas/GridDlg.h"
#include "app/canvas/LayoutCommands.h"
#include "app/canvas/ObjectBrowserDlg.h"
#include "app/canvas/ViewStyle.h"
#include "app/core/AppIds.h"
#include "app/core/DesignerContext.h"
#include "app/core/TempFileManager.h"
#include "app/delivery/OfficeDelivery.h"
#include "app/stage/PreviewFlashCtrl.h"
#include "app/stage/StageFlashCtrl.h"
#include "model/ComponentCatalog.h"
#include "model/ComponentDef.h"
#include "platform/controls/ShockwaveFlash.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/dialogs/PrintService.h"
#include "platform/docview/Frame.h"
#include "platform/docview/Menu.h"
#include "platform/docview/WinApp.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Colors.h"
#include "platform/drawing/DC.h"
#include "platform/drawing/Png.h"
#include "platform/drawing/RasterDC.h"
#include "platform/window/CmdUI.h"
#include "platform/window/Input.h"
#include "publish/BaseMovie.h"
#include "publish/ProgramContext.h"
#include "sheet/cells/CellModel.h"

BEGIN_MESSAGE_MAP(CDrawView, CScrollView)
    .OnLButtonDown(&CDrawView::OnLButtonDown)
    .OnLButtonUp(&CDrawView::OnLButtonUp)
    .OnLButtonDblClk(&CDrawView::OnLButtonDblClk)
    .OnMouseMove(&CDrawView::OnMouseMove)
    .OnContextMenu(&CDrawView::OnContextMenu)
    .OnKeyDown(&CDrawView::OnKeyDown)
    .OnKeyUp(&CDrawView::OnKeyUp)
    .OnShowWindow(&CDrawView::OnShowWindow)
    .OnDestroy(&CDrawView::OnViewDestroy)
    .OnSize(&CDrawView::OnViewSize)
    .Command(ID_VIEW_SWF_PREVIEW, &CDrawView::OnViewPreview)
    .UpdateCommandUI(ID_VIEW_SWF_PREVIEW, &CDrawView::OnUpdateViewPreview)
    .Command(ID_VIEW_EDIT_MODE, &CDrawView::OnViewEdit)
    .UpdateCommandUI(ID_VIEW_EDIT_MODE, &CDrawView::OnUpdateViewEdit)
    .Command(ID_EDIT_SELECT_ALL, &CDrawView::OnEditSelectAll)
    .UpdateCommandUI(ID_EDIT_SELECT_ALL, &CDrawView::OnUpdateEditSelectAll)
    .Command(ID_EDIT_UNDO, &CDrawView::OnEditUndo)
    .UpdateCommandUI(ID_EDIT_UNDO, &CDrawView::OnUpdateEditUndo)
    .Command(ID_EDIT_REDO, &CDrawView::OnEditRedo)
    .UpdateCommandUI(ID_EDIT_REDO, &CDrawView::OnUpdateEditRedo)
    .Command(ID_EDIT_CLEAR, &CDrawView::OnEditClear)
    .UpdateCommandUI(ID_EDIT_CLEAR, &CDrawView::OnUpdateEditClear)
    .UpdateCommandUI(ID_EDIT_CUT, &CDrawView::OnUpdateEditCutCopy)
    .UpdateCommandUI(ID_EDIT_COPY, &CDrawView::OnUpdateEditCutCopy)
    .UpdateCommandUI(ID_EDIT_PASTE, &CDrawView::OnUpdateEditPaste)
    .UpdateCommandUI(ID_GROUP, &CDrawView::OnUpdateNeedTwo)
    .UpdateCommandUI(ID_UNGROUP, &CDrawView::OnUpdateUngroup)
    .CommandEx(ID_EDIT_CUT, &CDrawView::OnLayoutCommand)
    .CommandEx(ID_EDIT_COPY, &CDrawView::OnLayoutCommand)
    .CommandEx(ID_EDIT_PASTE, &CDrawView::OnLayoutCommand)
    .CommandEx(ID_GROUP, &CDrawView::OnLayoutCommand)
    .CommandEx(ID_UNGROUP, &CDrawView::OnLayoutCommand)
    .CommandEx(ID_BRING_TO_FRONT, &CDrawView::OnLayoutCommand)
    .UpdateCommandUI(ID_BRING_TO_FRONT, &CDrawView::OnUpdateNeedOne)
    .CommandEx(ID_SEND_TO_BACK, &CDrawView::OnLayoutCommand)
    .UpdateCommandUI(ID_SEND_TO_BACK, &CDrawView::OnUpdateNeedOne)
    .CommandEx(ID_BRING_FORWARD, &CDrawView::OnLayoutCommand)
    .UpdateCommandUI(ID_BRING_FORWARD, &CDrawView::OnUpdateNeedOne)
    .CommandEx(ID_SEND_BACK, &CDrawView::OnLayoutCommand)
    .UpdateCommandUI(ID_SEND_BACK, &CDrawView::OnUpdateNeedOne)
    .CommandEx(ID_ALIGN_LEFT, &CDrawView::OnLayoutCommand)
    .UpdateCommandUI(ID_ALIGN_LEFT, &CDrawView::OnUpdateNeedTwo)
    .CommandEx(ID_ALIGN_RIGHT, &CDrawView::OnLayoutCommand)
    .UpdateCommandUI(ID_ALIGN_RIGHT, &CDrawView::OnUpdateNeedTwo)
    .CommandEx(ID_ALIGN_TOP, &CDrawView::OnLayoutCommand)
    .UpdateCommandUI(ID_ALIGN_TOP, &CDrawView::OnUpdateNeedTwo)
    .CommandEx(ID_ALIGN_BOTTOM, &CDrawView::OnLayoutCommand)
    .UpdateCommandUI(ID_ALIGN_BOTTOM, &CDrawView::OnUpdateNeedTwo)
    .CommandEx(ID_ALIGN_CENTER_HORZ, &CDrawView::OnLayoutCommand)
    .UpdateCommandUI(ID_ALIGN_CENTER_HORZ, &CDrawView::OnUpdateNeedTwo)
    .CommandEx(ID_ALIGN_CENTER_VERT, &CDrawView::OnLayoutCommand)
    .UpdateCommandUI(ID_ALIGN_CENTER_VERT, &CDrawView::OnUpdateNeedTwo)
    .CommandEx(ID_SPACE_DOWN, &CDrawView::OnLayoutCommand)
    .UpdateCommandUI(ID_SPACE_DOWN, &CDrawView::OnUpdateNeedTwo)
    .CommandEx(ID_SPACE_ACROSS, &CDrawView::OnLayoutCommand)
    .UpdateCommandUI(ID_SPACE_ACROSS, &CDrawView::OnUpdateNeedTwo)
    .CommandEx(ID_SAME_WIDTH, &CDrawView::OnLayoutCommand)
    .UpdateCommandUI(ID_SAME_WIDTH, &CDrawView::OnUpdateSameSize)
    .CommandEx(ID_SAME_HEIGHT, &CDrawView::OnLayoutCommand)
    .UpdateCommandUI(ID_SAME_HEIGHT, &CDrawView::OnUpdateSameSize)
    .CommandEx(ID_SAME_BOTH, &CDrawView::OnLayoutCommand)
    .UpdateCommandUI(ID_SAME_BOTH, &CDrawView::OnUpdateSameSize)
    .CommandEx(ID_CENTER_VERT, &CDrawView::OnLayoutCommand)
    .UpdateCommandUI(ID_CENTER_VERT, &CDrawView::OnUpdateNeedSelection)
    .CommandEx(ID_CENTER_HORZ, &CDrawView::OnLayoutCommand)
    .UpdateCommandUI(ID_CENTER_HORZ, &CDrawView::OnUpdateNeedSelection)
    .CommandEx(ID_CENTER_BOTH, &CDrawView::OnLayoutCommand)
    .UpdateCommandUI(ID_CENTER_BOTH, &CDrawView::OnUpdateNeedSelection)
    .Command(ID_TOOL_SELECT, &CDrawView::OnToolSelect)
    .UpdateCommandUI(ID_TOOL_SELECT, &CDrawView::OnUpdateToolSelect)
    .Command(ID_TOOL_COMPONENT, &CDrawView::OnToolComponent)
    .UpdateCommandUI(ID_TOOL_COMPONENT, &CDrawView::OnUpdateToolComponent)
    .Command(ID_EDIT_PROPERTIES, &CDrawView::OnEditProperties)
    .UpdateCommandUI(ID_EDIT_PROPERTIES, &CDrawView::OnUpdateEditProperties)
    .Command(ID_HIDE_SHOW, &CDrawView::OnHideShow)
    .UpdateCommandUI(ID_HIDE_SHOW, &CDrawView::OnUpdateHideShow)
    .Command(ID_VIEW_GRID, &CDrawView::OnViewGrid)
    .UpdateCommandUI(ID_VIEW_GRID, &CDrawView::OnUpdateViewGrid)
    .Command(ID_VIEW_COMPONENTS, &CDrawView::OnViewComponents)
    .UpdateCommandUI(ID_VIEW_COMPONENTS, &CDrawView::OnUpdateViewComponents)
    .Command(ID_VIEW_OBJECT_BROWSER, &CDrawView::OnViewObjectBrowser)
    .UpdateCommandUI(ID_VIEW_OBJECT_BROWSER, &CDrawView::OnUpdateViewObjectBrowser)
    .UpdateCommandUI(ID_FILE_NEW, &CDrawView::OnUpdateOutsidePreview)
    .UpdateCommandUI(ID_FILE_OPEN, &CDrawView::OnUpdateOutsidePreview)
    .UpdateCommandUI(ID_FILE_NEW_FROM_TEMPLATE, &CDrawView::OnUpdateOutsidePreview)
    .UpdateCommandUI(ID_FILE_SAMPLES, &CDrawView::OnUpdateOutsidePreview)
    .UpdateCommandUI(ID_INCREASE_CANVAS, &CDrawView::OnUpdateOutsidePreview)
    .UpdateCommandUI(ID_DECREASE_CANVAS, &CDrawView::OnUpdateOutsidePreview)
    .UpdateCommandUI(ID_FIT_TO_COMPONENTS, &CDrawView::OnUpdateOutsidePreview)
    .UpdateCommandUI(ID_FIT_TO_WINDOW, &CDrawView::OnUpdateOutsidePreview)
    .UpdateCommandUI(ID_DATA_IMPORT_MODEL, &CDrawView::OnUpdateOutsidePreview)
    .UpdateCommandUI(ID_FILE_PROPERTIES, &CDrawView::OnUpdateOutsidePreview)
    .UpdateCommandUI(ID_HELP_WELCOME, &CDrawView::OnUpdateOutsidePreview)
    .UpdateCommandUI(ID_FILE_MRU_FILE1, &CDrawView::OnUpdateRecentFile)
    .Command(ID_LINE_COLOR, &CDrawView::OnLineColor)
    .UpdateCommandUI(ID_LINE_COLOR, &CDrawView::OnUpdateAlwaysEnabled)
    .Command(ID_FILL_COLOR, &CDrawView::OnFillColor)
    .UpdateCommandUI(ID_FILL_COLOR, &CDrawView::OnUpdateAlwaysEnabled)
    .Command(ID_FILE_PRINT, &CDrawView::OnFilePrint)
    .Command(ID_FILE_PRINT_PREVIEW, &CDrawView::OnFilePrintPreview)
    .Command(ID_EXPORT_SETTINGS, &CDrawView::OnExportSettings)
    .Command(ID_EXPORT_PREVIEW, &CDrawView::OnExportPreview)
    .UpdateCommandUI(ID_EXPORT_PREVIEW, &CDrawView::OnUpdateExportPreview)
    .Command(ID_EXPORT_SWF, &CDrawView::OnExportSwf)
    .UpdateCommandUI(ID_EXPORT_SWF, &CDrawView::OnUpdateExportWithObjects)
    .Command(ID_EXPORT_HTML, &CDrawView::OnExportHtml)
    .UpdateCommandUI(ID_EXPORT_HTML, &CDrawView::OnUpdateExportWithObjects)
    .Command(ID_EXPORT_POWERPOINT, &CDrawView::OnExportPowerPoint)
    .UpdateCommandUI(ID_EXPORT_POWERPOINT, &CDrawView::OnUpdateExportWithObjects)
    .Command(ID_EXPORT_OUTLOOK, &CDrawView::OnExportOutlook)
    .UpdateCommandUI(ID_EXPORT_OUTLOOK, &CDrawView::OnUpdateExportWithObjects)
    .Command(ID_EXPORT_PORTAL, &CDrawView::OnExportPortal)
    .UpdateCommandUI(ID_EXPORT_PORTAL, &CDrawView::OnUpdateExportWithObjects)
    .Command(ID_SNAPSHOT_EXCEL, &CDrawView::OnSnapshotToExcel)
    .UpdateCommandUI(ID_SNAPSHOT_EXCEL, &CDrawView::OnUpdateSnapshotToExcel)
    .Command(ID_EXPORT_SCENARIO, &CDrawView::OnExportScenario)
    .UpdateCommandUI(ID_EXPORT_SCENARIO, &CDrawView::OnUpdateExportScenario)
    .Command(ID_SNAPSHOT_SWF, &CDrawView::OnSnapshotSwf)
    .Command(ID_SNAPSHOT_HTML, &CDrawView::OnSnapshotHtml)
    .Command(ID_SNAPSHOT_POWERPOINT, &CDrawView::OnSnapshotPowerPoint)
    .Command(ID_SNAPSHOT_OUTLOOK, &CDrawView::OnSnapshotOutlook)
    .Command(ID_SEND_POWERPOINT, &CDrawView::OnSendToPowerPoint)
    .UpdateCommandUI(ID_SEND_POWERPOINT, &CDrawView::OnUpdateExportWithObjects)
    .Command(ID_SEND_TO_OUTLOOK, &CDrawView::OnSendToOutlook)
    .Command(ID_DATA_IMPORT_MODEL, &CDrawView::OnImportModel)
    .Command(ID_DATA_DIALOG, &CDrawView::OnDataDialog)
    .Command(ID_REPLACE_DATA_SELECTION, &CDrawView::OnReplaceDataSelection)
    .Command(ID_CHANGE_STYLE, &CDrawView::OnChangeStyle)
    .UpdateCommandUI(ID_CHANGE_STYLE, &CDrawView::OnUpdateOutsidePreview) END_MESSAGE_MAP()

namespace {

CComponentObj* AsComponent(CDrawObj* obj)
{
    return dynamic_cast<CComponentObj*>(obj);
}

// The keyboard messages, WM_KEYDOWN (256) to 264.
constexpr UINT kKeyFirst = 0x0100;
constexpr UINT kKeyLast = 0x0108;

} // namespace

CDrawView::CDrawView(CDesignerContext& designer)
    : m_nQueryTimeoutMs(CPreviewFlashCtrl::kDefaultTimeoutMs), m_designer(designer), m_undo(*this),
      m_layout(std::make_unique<CLayoutCommands>(*this, GetClipboard()))
{
}

CDrawView::~CDrawView()
{
    // The records may delete objects they alone kept; the tool windows go before the view.
    m_undo.Clear();
    m_gridDlg.reset();
    m_closedGridDlg.reset();
    m_browser.reset();
    m_palette.reset();
    m_multiSelect.Reset();
    // Copied objects hold components of this program's catalogue, which goes with the view.
    GetClipboard().Clear(CCanvasClip::kFormat);
    if (m_stage != nullptr && m_designer.Stage() == m_stage.get())
        m_designer.SetStage(nullptr);
}


CShockwaveFlash* CDrawView::GetPreviewPlayer() const
{
    return m_pPreview.get();
}

CDrawDoc* CDrawView::GetDocument() const
{
    return dynamic_cast<CDrawDoc*>(m_pDocument);
}

CDrawTool* CDrawView::CurrentTool()
{
    return FindTool(m_designer, m_tool.shape);
}

// ---- coordinates ----

CCanvasGeometry CDrawView::Geometry() const
{
    CRect client;
    GetClientRect(&client);
    const CDrawDoc* doc = GetDocument();
    return CCanvasGeometry(client, doc != nullptr ? doc->GetCanvasWidth() : 0,
                           doc != nullptr ? doc->GetCanvasHeight() : 0, GetScrollPosition());
}

CPoint CDrawView::GetCanvasOffset() const
{
    return Geometry().Offset();
}

CPoint CDrawView::DocToClient(CPoint point) const
{
    return Geometry().DocToClient(point);
}

CRect CDrawView::DocToClient(const CRect& rect) const
{
    return Geometry().DocToClient(rect);
}

CPoint CDrawView::ClientToDoc(CPoint point) const
{
    return Geometry().ClientToDoc(point);
}

CRect CDrawView::ClientToDoc(const CRect& rect) const
{
    return Geometry().ClientToDoc(rect);
}

CRect CDrawView::GetCanvasClientRect() const
{
    return Geometry().CanvasClientRect();
}

void CDrawView::OnPrepareDC(CDC* pDC, CPrintInfo*)
{
    const int dpiX = pDC->GetDeviceCaps(LOGPIXELSX);
    const int dpiY = pDC->GetDeviceCaps(LOGPIXELSY);
    // The context's own origin places the window in what it draws on; the canvas offset
    // comes on top of it.
    const CPoint base = pDC->GetViewportOrg();
    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetViewportExt(dpiX, dpiY);
    pDC->SetWindowExt(dpiX * 20, dpiY * 20);
    pDC->SetWindowOrg(0, 0);
    if (!pDC->IsPrinting())
        pDC->SetViewportOrg(base.x + GetCanvasOffset().x, base.y + GetCanvasOffset().y);
}

// ---- drawing ----

void CDrawView::OnDraw(CDC* pDC)
{
    CDrawDoc* doc = GetDocument();
    // OnPaint prepared the context: the surround is filled in canvas units as well.
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(ClientToDoc(client), kMarginColor);
    if (doc == nullptr)
        return;
    DrawCanvas(pDC, true);
}

void CDrawView::DrawCanvas(CDC* pDC, bool bDecorate)
{
    CDrawDoc* doc = GetDocument();
    const int w = doc->GetCanvasWidth() * 20;
    const int h = doc->GetCanvasHeight() * 20;
    const CRect canvas(0, 0, w, h);
    const int saved = pDC->SaveDC();
    pDC->IntersectClipRect(canvas);
    // The stage's picture: the live components on the paper.
    if (m_stage != nullptr && m_stage->GetPlayer() != nullptr)
        m_stage->GetPlayer()->Draw(*pDC, canvas);
    else
        pDC->FillSolidRect(canvas, RGB(255, 255, 255));
    // What the stage does not show (embedded objects) draws itself.
    for (CDrawObj* obj : doc->GetObjects())
        obj->Draw(pDC);

    if (bDecorate && !IsPreview() && m_bActive && !pDC->IsPrinting()) {
        if (CDrawTool* tool = CurrentTool()) {
            tool->DrawTracking(this, pDC);
            for (CDrawObj* obj : m_selection)
                tool->DrawHandles(this, pDC, obj);
        }
    }
    if (m_bGrid && m_nGridX > 0 && m_nGridY > 0) {
        static const std::uint8_t kDots[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
        CBrush pattern;
        pattern.CreatePatternBrush(kDots, m_gridColor, doc->GetPaperColor());
        CBrush* old = pDC->SelectObject(&pattern);
        pDC->SetBkColor(doc->GetPaperColor());
        for (int y = m_nGridY; y < h; y += m_nGridY)
            pDC->PatBlt(0, y, w, 25, PATCOPY);
        for (int x = m_nGridX; x < w; x += m_nGridX)
            pDC->PatBlt(x, 0, 25, h, PATCOPY);
        pDC->SelectObject(old);
    }
    pDC->RestoreDC(saved);
}

bool CDrawView::PrintToPng(const std::string& path)
{
    CDrawDoc* doc = GetDocument();
    if (doc == nullptr)
        return false;
    CRasterDC dc(doc->GetCanvasWidth(), doc->GetCanvasHeight());
    OnPrepareDC(&dc);
    dc.SetViewportOrg(0, 0);
    DrawCanvas(&dc, false);
    const bool ok = WritePng(path, *dc.GetSurface());
    // Printing leaves the canvas fitted to the window.
    doc->FitCanvasToWindow();
    return ok;
}

void CDrawView::OnFilePrint()
{
    PrintCanvas(false);
}

void CDrawView::OnFilePrintPreview()
{
    PrintCanvas(true);
}

void CDrawView::PrintCanvas(bool preview)
{
    // The page is a picture of the canvas among the temporary files; on a screen the
    // toolkit's print dialog prints (or previews) it, headless the picture is the print.
    CTempFileManager* temp = m_designer.FindTempFiles();
    if (temp == nullptr)
        return;
    const std::string path = temp->CreateTempFile("prn", ".png", true);
    if (path.empty() || !PrintToPng(path)) {
        AfxMessageBox("The canvas could not be printed.", MB_ICONEXCLAMATION);
        return;
    }
    if (IPrintService* printer = GetPrintService()) {
        std::string error;
        const CDrawDoc* doc = GetDocument();
        if (!printer->PrintPicture(this, path, doc != nullptr ? doc->GetTitle() : std::string(), preview, error))
            AfxMessageBox("The canvas could not be printed: " + error, MB_ICONEXCLAMATION);
    }
}

// ---- selection ----

bool CDrawView::IsSelected(const CDrawObj* obj) const
{
    return m_selection.Contains(obj);
}

void CDrawView::Select(CDrawObj* obj, bool bAdd)
{
    if (!bAdd) {
        for (CDrawObj* selected : m_selection)
            InvalObj(selected);
        if (obj == nullptr) {
            for (CDrawObj* selected : m_selection) {
                if (auto* component = AsComponent(selected))
                    component->ClosePropertyPanel();
            }
            m_multiSelect.Clear();
        }
        m_selection.Clear();
    }
    if (m_selection.Add(obj))
        InvalObj(obj);
    RefreshObjectBrowser();
}

void CDrawView::Deselect(CDrawObj* obj)
{
    if (!m_selection.Contains(obj))
        return;
    InvalObj(obj);
    m_selection.Remove(obj);
    RefreshObjectBrowser();
}

void CDrawView::DeselectRemoved(CDrawObj* obj)
{
    m_selection.Remove(obj);
    m_multiSelect.Clear();
}

void CDrawView::SelectWithin(const CRect& clientRect, bool bAdd)
{
    if (!bAdd)
        Select(nullptr);
    const CRect logical = ClientToDoc(clientRect);
    CDrawDoc* doc = GetDocument();
    if (doc == nullptr)
        return;
    for (CDrawObj* obj : doc->GetObjects()) {
        if (obj->Intersects(logical))
            Select(obj, true);
    }
}

void CDrawView::InvalObj(CDrawObj* obj)
{
    CRect r = DocToClient(obj->m_position);
    if (m_bActive && IsSelected(obj)) {
        r.left -= 4;
        r.top -= 5;
        r.right += 5;
        r.bottom += 4;
    }
    r.InflateRect(1, 1);
    InvalidateRect(&r, FALSE);
}

void CDrawView::SortSelectionByZOrder()
{
    if (CDrawDoc* doc = GetDocument())
        m_selection.SortBy(doc->GetObjects());
}

bool CDrawView::CanEditProperties()
{
    if (m_tool.shape != CDrawToolState::SelectShape || m_selection.empty())
        return false;
    if (m_selection.size() == 1) {
        const CComponentObj* only = AsComponent(m_selection.front());
        if (only != nullptr && only->GetInstanceCount() == 1)
            return true;
    }
    const bool same = m_selection.IsOneKind();
    m_bSameKind = same;
    m_multiSelect.m_bSameKind = same;
    return true;
}

void CDrawView::OnUpdate(CView*, LPARAM lHint, void* pHint)
{
    switch (lHint) {
    case HINT_UPDATE_DRAWOBJ:
        if (pHint != nullptr) {
            InvalObj(static_cast<CDrawObj*>(pHint));
            return;
        }
        break;
    case 2: {
        const auto* list = static_cast<const std::vector<CDrawObj*>*>(pHint);
        for (CDrawObj* obj : list != nullptr ? *list : m_selection.Objects())
            InvalObj(obj);
        return;
    }
    case HINT_RESET_VIEW:
        ResetView();
        return;
    case 3:
        if (const auto* list = static_cast<const std::vector<CDrawObj*>*>(pHint)) {
            if (list != &m_selection.Objects()) {
                for (CDrawObj* obj : *list) {
                    InvalObj(obj);
                    DeselectRemoved(obj);
                }
            }
        }
        return;
    default:
        break;
    }
    // The canvas may have changed size.
    SetScrollToCanvas();
    if (m_stage != nullptr) {
        if (const CDrawDoc* doc = GetDocument()) {
            CRect r;
            m_stage->GetClientRect(&r);
            if (r.Width() != doc->GetCanvasWidth() || r.Height() != doc->GetCanvasHeight())
                m_stage->MoveWindow(0, 0, doc->GetCanvasWidth(), doc->GetCanvasHeight());
        }
    }
    PlacePreview();
    Invalidate(FALSE);
}

void CDrawView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    CScrollView::OnActivateView(bActivate, pActivateView, pDeactiveView);
    if (bool active = bActivate != FALSE; active != m_bActive) {
        m_bActive = active;
        Invalidate(FALSE);
    }
}

void CDrawView::RefreshObjectBrowser()
{
    if (m_browser != nullptr && m_browser->GetSafeHwnd() != nullptr)
        m_browser->FillList();
}

// ---- mouse and keys ----

void CDrawView::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!m_bActive || IsPreview())
        return;
    SetFocus();
    if (CDrawTool* tool = CurrentTool())
        tool->OnLButtonDown(this, nFlags, point);
}

void CDrawView::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!m_bActive || IsPreview())
        return;
    if (CDrawTool* tool = CurrentTool())
        tool->OnLButtonUp(this, nFlags, point);
    RefreshObjectBrowser();
}

void CDrawView::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (!m_bActive || IsPreview())
        return;
    if (CDrawTool* tool = CurrentTool())
        tool->OnLButtonDblClk(this, nFlags, point);
}

void CDrawView::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bActive || IsPreview())
        return;
    const CRect canvas = GetCanvasClientRect();
    point.x = std::clamp(point.x, canvas.left, canvas.right);
    point.y = std::clamp(point.y, canvas.top, canvas.bottom);
    if (CDrawTool* tool = CurrentTool())
        tool->OnMouseMove(this, nFlags, point);
}

void CDrawView::OnContextMenu(CWnd*, CPoint point)
{
    if (m_tool.sizing || IsPreview())
        return;
    CPoint client = point;
    ScreenToClient(&client);
    if (CDrawDoc* doc = GetDocument()) {
        CDrawObj* obj = doc->ObjectAt(ClientToDoc(client));
        if (obj != nullptr && !IsSelected(obj)) {
            Select(obj);
            if (CDrawTool* tool = CurrentTool())
                tool->OnContextSelect(this, 0, client);
        }
    }
    UpdateWindow();
    CMenu menu;
    if (menu.LoadMenu(IDR_CONTEXT_MENU)) {
        if (CMenu* popup = menu.GetSubMenu(0))
            popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, AfxGetMainWnd());
    }
}

void CDrawView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT)
{
    if (IsPreview() || m_selection.empty())
        return;
    int dx = 0;
    int dy = 0;
    const int step = static_cast<int>(std::max(1u, nRepCnt)) * 20;
    switch (nChar) {
    case VK_LEFT:
        dx = -step;
        break;
    case VK_RIGHT:
        dx = step;
        break;
    case VK_UP:
        dy = -step;
        break;
    case VK_DOWN:
        dy = step;
        break;
    default:
        return;
    }
    if (m_nudge.empty()) {
        for (CDrawObj* obj : m_selection)
            m_nudge.emplace_back(obj, obj->m_position);
    }
    CDrawDoc* doc = GetDocument();
    CStageFlashCtrl* stage = doc != nullptr ? doc->GetStage() : nullptr;
    for (CDrawObj* obj : m_selection) {
        InvalObj(obj);
        CRect r = obj->m_position;
        r.OffsetRect(dx, dy);
        obj->m_position = r;
        obj->SetBounds(r.left, r.top, r.right, r.bottom);
        if (auto* component = AsComponent(obj); stage != nullptr && component != nullptr)
            stage->MoveComponent(*component);
        InvalObj(obj);
    }
    if (doc != nullptr) {
        doc->SetModifiedFlag();
        doc->UpdateAllViews(this);
    }
}

void CDrawView::OnKeyUp(UINT, UINT, UINT)
{
    if (m_nudge.empty())
        return;
    // A nudge only moves, so its undo moves the components back rather than rebuilding them.
    auto* record = new CUndoGeometryRecord(true);
    for (const auto& [obj, start] : m_nudge) {
        const CRect& r = obj->m_position;
        if (r != start)
            record->Capture(obj, r.left - start.left, r.top - start.top, r.right - start.right, r.bottom - start.bottom);
    }
    m_nudge.clear();
    if (!record->IsEmpty())
        m_undo.Push(record);
    else
        delete record;
}

BOOL CDrawView::PreTranslateMessage(MSG* pMsg)
{
    // In preview the keys belong to the movie, not to the accelerators.
    if (IsPreview() && pMsg->message >= kKeyFirst && pMsg->message <= kKeyLast) {
        TranslateMessage(pMsg);
        DispatchMessage(pMsg);
        return TRUE;
    }
    return CScrollView::PreTranslateMessage(pMsg);
}

void CDrawView::OnCancel()
{
    ReleaseCapture();
    if (CDrawTool* tool = CurrentTool())
        tool->OnCancel(this);
    m_tool.shape = CDrawToolState::SelectShape;
}

// ---- window ----

void CDrawView::SetScrollToCanvas()
{
    if (const CDrawDoc* doc = GetDocument())
        SetScrollSizes(MM_TEXT, CSize(doc->GetCanvasWidth(), doc->GetCanvasHeight()));
}

void CDrawView::EnsureChildren()
{
    CDrawDoc* doc = GetDocument();
    if (doc == nullptr)
        return;
    // The preview player, which the snapshot commands also ask for the values shown.
    GetPreviewCtrl();
    if (m_stage == nullptr) {
        std::unique_ptr<CStageFlashCtrl> stage = m_stageFactory ? m_stageFactory() : MakeProgramStage();
        if (stage != nullptr && stage->IsReady() &&
            stage->Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, doc->GetCanvasWidth(), doc->GetCanvasHeight()), this,
                          IDC_STAGE)) {
            // The stage draws through the view: its own window stays out of the way of the
            // pointer, which the tools need.
            stage->ShowWindow(SW_HIDE);
            m_stage = std::move(stage);
            doc->SetStage(m_stage.get());
            m_designer.SetStage(m_stage.get());
            m_stage->Init();
            m_stage->SetStageSize(doc->GetCanvasWidth(), doc->GetCanvasHeight());
        }
    }
}

std::unique_ptr<CStageFlashCtrl> CDrawView::MakeProgramStage()
{
    // The stage of the running program: the installation's stage movie and catalogue.
    CComponentCatalog* catalog = m_designer.Catalog();
    if (catalog == nullptr || m_designer.BaseFolder().empty())
        return nullptr;
    StageSetup setup;
    setup.installDir = m_designer.BaseFolder();
    setup.catalog = catalog;
    if (CProgramContext* context = m_designer.Program())
        setup.tempFiles = &context->GetTempFiles();
    setup.namedValues = [] {
        CBaseMovie* base = GetBaseMovie();
        return base != nullptr ? base->GetCellModel().GetNamedValues() : std::map<std::string, std::string>{};
    };
    return std::make_unique<CStageFlashCtrl>(setup);
}

bool CDrawView::BuildPreviewMovie(const std::string& path, std::string& error)
{
    CDrawDoc* doc = GetDocument();
    CBaseMovie* base = m_designer.BaseMovie();
    if (doc == nullptr || base == nullptr) {
        error = "the installation's components are missing";
        return false;
    }
    // The preview runs in the program's own player and computes the model itself: the
    // flags of an export must not give it another's data source. They come back after.
    struct FlagsKept {
        CBaseMovie& base;
        CBaseMovie::ExportFlags flags;
        ~FlagsKept() { base.GetExportFlags() = flags; }
    } kept{*base, base->GetExportFlags()};
    base->GetExportFlags() = {};
    base->GetExportFlags().hostedPlayer = true;
    SwfGeneration how;
    how.preview = true;
    // The view says itself why there is no preview.
    how.reportFailure = false;
    if (doc->GenerateSwf(path, how))
        return true;
    error = doc->GetGenerationError();
    return false;
}

void CDrawView::OnViewDestroy()
{
    // The stage goes with the view; the document must not reach it afterwards.
    if (CDrawDoc* doc = GetDocument(); doc != nullptr && doc->GetStage() == m_stage.get())
        doc->SetStage(nullptr);
    if (m_designer.Stage() == m_stage.get())
        m_designer.SetStage(nullptr);
    CView::OnDestroy();
}

void CDrawView::OnShowWindow(BOOL bShow, UINT)
{
    SetScrollToCanvas();
    if (bShow)
        EnsureChildren();
}

void CDrawView::PlacePreview()
{
    if (!IsPreview() || m_pPreview == nullptr)
        return;
    m_pPreview->MoveWindow(GetCanvasClientRect());
}

void CDrawView::OnViewSize(UINT nType, int cx, int cy)
{
    CScrollView::OnSize(nType, cx, cy);
    PlacePreview();
}

void CDrawView::EnsurePalette()
{
    if (m_palette != nullptr)
        return;
    m_palette = std::make_unique<CComponentPalette>(m_tool);
    if (!m_palette->Create(this, m_designer.Catalog())) {
        m_palette.reset();
        return;
    }
    m_palette->SetTitle("default");
}

void CDrawView::EnsureBrowser()
{
    if (m_browser != nullptr)
        return;
    m_browser = std::make_unique<CObjectBrowserDlg>(*this);
    if (!m_browser->Create(this)) {
        m_browser.reset();
        return;
    }
}

void CDrawView::OnInitialUpdate()
{
    SetScrollToCanvas();
    EnsureChildren();
    const bool first = m_palette == nullptr;
    EnsurePalette();
    EnsureBrowser();
    if (first && m_palette != nullptr) {
        CRect r;
        m_palette->GetWindowRect(&r);
        m_palette->MoveWindow(2, 74, r.Width(), r.Height());
        m_palette->ShowWindow(SW_SHOW);
        if (m_browser != nullptr) {
            CRect b;
            m_browser->GetWindowRect(&b);
            m_browser->MoveWindow(2, 74 + r.Height(), r.Width(), b.Height());
            m_browser->ShowWindow(SW_SHOW);
        }
    }
    RefreshObjectBrowser();
    CScrollView::OnInitialUpdate();
    const bool firstUpdate = !m_bInitialised;
    m_bInitialised = true;
    // A document opened before the view's first update (from the command line) has its model
    // linked now.
    if (firstUpdate)
        if (CDrawDoc* doc = GetDocument())
            doc->ReimportModel(this);
}

void CDrawView::ResetView()
{
    m_szFileName1.clear();
    m_szFileName2.clear();
    m_undo.Clear();
    if (IPropertiesPanel* panel = CComponentObj::GetCurrentPanel()) {
        if (panel->IsSheetOpen())
            panel->CloseSheet();
    }
    m_multiSelect.Reset();
    Select(nullptr);
    m_nudge.clear();
    RefreshObjectBrowser();
    if (CWnd* main = AfxGetMainWnd())
        main->PostMessage(WM_IMPORT_MODEL_PROGRESS, kImportNoModel, 0);
}

bool CDrawView::QuerySaveStyle()
{
    if (m_pStyleSaver == nullptr || !m_pStyleSaver->IsStyleChanged())
        return true;
    const int answer = ShowMessageBox(AfxGetMainWnd(), "Save changes to current style?", "Vantorel",
                                      MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL)
        return false;
    if (answer == IDYES)
        // A cancelled or failed save keeps the window open, so the changes are not lost.
        return m_pStyleSaver->SaveStyleAs();
    return true;
}

void CDrawView::OnGridDlgClosed()
{
    m_closedGridDlg = std::move(m_gridDlg);
    Invalidate(FALSE);
}

// ---- preview ----

bool CDrawView::EnterPreview()
{
    CDrawDoc* doc = GetDocument();
    if (doc == nullptr || m_pPreview == nullptr)
        return false;
    CTempFileManager* temp = m_designer.FindTempFiles();
    m_previewFile = temp != nullptr ? temp->CreateTempFile("gen", ".swf", true) : std::string();
    std::string error;
    bool built = false;
    if (m_previewFile.empty()) {
        error = "no temporary file could be made";
    } else {
        try {
            built = m_previewBuilder ? m_previewBuilder(m_previewFile, error) : BuildPreviewMovie(m_previewFile, error);
        } catch (const std::exception& e) {
            error = e.what();
        }
    }
    if (!built) {
        // The player would show a missing or partial movie: stay in edit mode and say why.
        AfxMessageBox("The preview could not be made: " + error, MB_ICONEXCLAMATION);
        return false;
    }
    m_bPreview = 1;
    m_strPreviewMovie = m_previewFile;
    EnablePreviewMenus(true);
    m_bPaletteWasVisible = m_palette != nullptr && m_palette->IsWindowVisible();
    m_bBrowserWasVisible = m_browser != nullptr && m_browser->IsWindowVisible();
    if (m_palette != nullptr)
        m_palette->ShowWindow(SW_HIDE);
    if (m_browser != nullptr)
        m_browser->ShowWindow(SW_HIDE);
    if (m_gridDlg != nullptr)
        m_gridDlg->ShowWindow(SW_HIDE);
    if (IPropertiesPanel* panel = CComponentObj::GetCurrentPanel(); panel != nullptr && panel->IsSheetOpen())
        panel->CloseSheet();
    m_pPreview->MoveWindow(GetCanvasClientRect());
    m_pPreview->ShowWindow(SW_SHOW);
    // The player takes the paper colour as 0xRRGGBB.
    const COLORREF paper = GetDocument()->GetPaperColor();
    m_pPreview->SetBackgroundColor(static_cast<long>(GetRValue(paper)) << 16 | GetGValue(paper) << 8 | GetBValue(paper));
    m_pPreview->LoadMovie(0, "loadblank");
    m_pPreview->LoadMovie(0, m_previewFile);
    if (m_pPreview->FlashVersion() < 0x5FFFF) {
        m_pPreview->SetMovie(m_previewFile);
        m_pPreview->Play();
    }
    doc->UpdateAllViews(nullptr);
    return true;
}

void CDrawView::EnablePreviewMenus(bool preview)
{
    CWnd* main = AfxGetMainWnd();
    CMenu* menu = main != nullptr ? main->GetMenu() : nullptr;
    if (menu == nullptr)
        return;
    // Edit, Data, View and Format are for editing; the snapshots take what the preview shows.
    const UINT editing = MF_BYPOSITION | (preview ? MF_GRAYED : MF_ENABLED);
    for (int pos = 1; pos <= 4 && pos < menu->GetMenuItemCount(); ++pos)
        menu->EnableMenuItem(pos, editing);
    if (CMenu* file = menu->GetSubMenu(0)) {
        for (int pos = 0; pos < file->GetMenuItemCount(); ++pos) {
            CMenu* sub = file->GetSubMenu(pos);
            if (sub != nullptr && sub->FindItem(ID_SNAPSHOT_SWF, nullptr) == sub)
                file->EnableMenuItem(pos, MF_BYPOSITION | (preview ? MF_ENABLED : MF_GRAYED));
        }
    }
    main->DrawMenuBar();
}

void CDrawView::LeavePreview()
{
    m_bPreview = 0;
    m_strPreviewMovie.clear();
    if (m_pPreview != nullptr) {
        m_pPreview->LoadMovie(0, "loadblank");
        m_pPreview->ShowWindow(SW_HIDE);
    }
    EnablePreviewMenus(false);
    if (m_palette != nullptr && m_bPaletteWasVisible)
        m_palette->ShowWindow(SW_SHOW);
    if (m_browser != nullptr && m_bBrowserWasVisible)
        m_browser->ShowWindow(SW_SHOW);
    if (m_gridDlg != nullptr)
        m_gridDlg->ShowWindow(SW_SHOW);
    if (CDrawDoc* doc = GetDocument())
        doc->UpdateAllViews(nullptr);
}

void CDrawView::OnViewPreview()
{
    // The preview command (the checked Preview button) toggles: the menus that carry the edit
    // command are greyed in preview, so the button is the way back. The edit command only leaves.
    if (IsPreview()) {
        LeavePreview();
        return;
    }
    if (!CDrawDoc::HoldsModel()) {
        AfxMessageBox("Not Done Importing", MB_ICONEXCLAMATION);
        return;
    }
    EnterPreview();
}

void CDrawView::OnViewEdit()
{
    if (IsPreview())
        LeavePreview();
}

void CDrawView::OnUpdateViewPreview(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(IsPreview() ? 1 : 0);
}

void CDrawView::OnUpdateViewEdit(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(IsPreview() ? 0 : 1);
}

// ---- commands ----

void CDrawView::OnEditSelectAll()
{
    if (CDrawDoc* doc = GetDocument()) {
        for (CDrawObj* obj : doc->GetObjects())
            Select(obj, true);
    }
}

void CDrawView::OnUpdateEditSelectAll(CCmdUI* pCmdUI)
{
    const CDrawDoc* doc = GetDocument();
    pCmdUI->Enable(doc != nullptr && !doc->GetObjects().empty());
}

void CDrawView::OnEditUndo()
{
    m_undo.Undo();
    Invalidate(FALSE);
}

void CDrawView::OnUpdateEditUndo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_undo.CanUndo());
}

void CDrawView::OnEditRedo()
{
    m_undo.Redo();
    Invalidate(FALSE);
}

void CDrawView::OnUpdateEditRedo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_undo.CanRedo());
}

void CDrawView::OnEditClear()
{
    CDrawDoc* doc = GetDocument();
    if (doc == nullptr || m_selection.empty())
        return;
    SortSelectionByZOrder();
    const std::vector<CDrawObj*> doomed = m_selection.Objects();
    Select(nullptr);
    auto* record = new CUndoListRecord(m_undo.Ownership());
    for (CDrawObj* obj : doomed) {
        // The neighbour above it before it goes, so that undo puts it back in its place.
        const auto& objects = doc->GetObjects();
        const auto it = std::find(objects.begin(), objects.end(), obj);
        CDrawObj* above = it != objects.end() && it + 1 != objects.end() ? *(it + 1) : nullptr;
        // A deleted neighbour is restored first (entries run last to first), so the place holds.
        obj->Invalidate();
        doc->Remove(obj);
        if (auto* component = AsComponent(obj)) {
            if (CStageFlashCtrl* stage = doc->GetStage()) {
                stage->DeleteComponent(*component);
                stage->ForgetObject(*component);
            }
            component->ClosePropertyPanel();
        }
        record->AddRemoved(obj, above);
    }
    if (CBaseMovie* base = m_designer.BaseMovie())
        base->SetModelChanged();
    m_undo.Push(record);
    doc->UpdateAllViews(nullptr);
    RefreshObjectBrowser();
}

void CDrawView::OnUpdateEditClear(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_selection.empty());
}

void CDrawView::OnUpdateNeedSelection(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_selection.empty());
}

void CDrawView::OnUpdateNeedTwo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_selection.size() >= 2);
}

void CDrawView::OnUpdateSameSize(CCmdUI* pCmdUI)
{
    bool single = true;
    for (CDrawObj* obj : m_selection) {
        if (const CComponentObj* component = AsComponent(obj); component != nullptr && component->GetInstanceCount() > 1)
            single = false;
    }
    pCmdUI->Enable(m_selection.size() >= 2 && single);
}

void CDrawView::OnUpdateNeedOne(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_selection.size() == 1);
}

void CDrawView::OnUpdateUngroup(CCmdUI* pCmdUI)
{
    bool group = false;
    for (CDrawObj* obj : m_selection) {
        if (const CComponentObj* component = AsComponent(obj); component != nullptr && component->GetInstanceCount() > 1)
            group = true;
    }
    pCmdUI->Enable(group);
}

void CDrawView::OnUpdateEditCutCopy(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!IsPreview() && !m_selection.empty());
}

void CDrawView::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!IsPreview() && m_layout->CanPaste());
}

BOOL CDrawView::OnLayoutCommand(UINT nID)
{
    return m_layout->Execute(nID) ? TRUE : FALSE;
}

void CDrawView::OnToolSelect()
{
    m_tool.shape = CDrawToolState::SelectShape;
}

void CDrawView::OnToolComponent()
{
    m_tool.shape = CDrawToolState::ComponentShape;
}

void CDrawView::OnUpdateToolSelect(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!IsPreview());
    pCmdUI->SetRadio(m_tool.shape == CDrawToolState::SelectShape);
}

void CDrawView::OnUpdateToolComponent(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!IsPreview());
    pCmdUI->SetRadio(m_tool.shape == CDrawToolState::ComponentShape);
}

void CDrawView::OnEditProperties()
{
    if (CDrawTool* tool = FindTool(m_designer, CDrawToolState::SelectShape))
        tool->OnEditProperties(this);
}

void CDrawView::OnUpdateEditProperties(CCmdUI* pCmdUI)
{
    const bool can = CanEditProperties();
    pCmdUI->Enable(can);
    IPropertiesPanel* panel = CComponentObj::GetCurrentPanel();
    pCmdUI->SetCheck(can && panel != nullptr && panel->IsSheetOpen() ? 1 : 0);
}

void CDrawView::OnHideShow()
{
    if (m_selection.size() != 1 || m_tool.shape != CDrawToolState::SelectShape)
        return;
    auto* component = AsComponent(m_selection.front());
    if (component == nullptr)
        return;
    CDrawDoc* doc = GetDocument();
    CStageFlashCtrl* stage = doc != nullptr ? doc->GetStage() : nullptr;
    if (component->m_bShown) {
        // The Object Browser closes the sheet of what it hides; so does this command.
        component->ClosePropertyPanel();
        if (stage != nullptr)
            stage->DisableComponent(*component);
        component->m_bShown = false;
    } else {
        if (stage != nullptr)
            stage->EnableComponent(*component);
        component->m_bShown = true;
    }
    InvalObj(component);
    RefreshObjectBrowser();
}

void CDrawView::OnUpdateHideShow(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_selection.size() == 1 && m_tool.shape == CDrawToolState::SelectShape);
}

void CDrawView::OnViewGrid()
{
    m_closedGridDlg.reset();
    if (m_gridDlg == nullptr) {
        m_gridDlg = std::make_unique<CGridDlg>(*this);
        if (!m_gridDlg->Create()) {
            m_gridDlg.reset();
            return;
        }
    }
    m_gridDlg->ShowWindow(SW_SHOW);
    m_gridDlg->SetActiveWindow();
}

void CDrawView::OnUpdateViewGrid(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_gridDlg != nullptr ? 1 : 0);
}

void CDrawView::OnViewComponents()
{
    EnsurePalette();
    if (m_palette != nullptr)
        m_palette->ShowWindow(m_palette->IsWindowVisible() ? SW_HIDE : SW_SHOW);
}

void CDrawView::OnUpdateViewComponents(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_palette != nullptr && m_palette->IsWindowVisible() ? 1 : 0);
}

void CDrawView::OnViewObjectBrowser()
{
    EnsureBrowser();
    if (m_browser == nullptr)
        return;
    if (m_browser->IsWindowVisible()) {
        m_browser->ShowWindow(SW_HIDE);
    } else {
        m_browser->FillList();
        m_browser->ShowWindow(SW_SHOW);
    }
}

void CDrawView::OnUpdateViewObjectBrowser(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_browser != nullptr && m_browser->IsWindowVisible() ? 1 : 0);
}

void CDrawView::OnUpdateOutsidePreview(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!IsPreview());
}

void CDrawView::OnUpdateAlwaysEnabled(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}

void CDrawView::OnUpdateRecentFile(CCmdUI* pCmdUI)
{
    if (!IsPreview()) {
        pCmdUI->ContinueRouting();
        return;
    }
    // The list fills its entries first; they are greyed after.
    if (CWinApp* app = AfxGetApp())
        app->OnUpdateRecentFileMenu(pCmdUI);
    CMenu* menu = pCmdUI->m_pMenu;
    if (menu == nullptr) {
        pCmdUI->Enable(FALSE);
        return;
    }
    for (int pos = 0; pos < menu->GetMenuItemCount(); ++pos) {
        const UINT id = menu->GetMenuItemID(pos);
        if (id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_LAST)
            menu->EnableMenuItem(static_cast<UINT>(pos), MF_BYPOSITION | MF_GRAYED);
    }
    pCmdUI->m_bEnableChanged = TRUE;
}

void CDrawView::ChooseObjectColor(bool fill)
{
    CColorDialog colors(RGB(0, 0, 0), 0, this);
    if (colors.DoModal() != IDOK)
        return;
    for (CDrawObj* obj : m_selection) {
        if (fill)
            obj->SetFillColor(colors.GetColor());
        else
            obj->SetLineColor(colors.GetColor());
    }
}

void CDrawView::OnLineColor()
{
    ChooseObjectColor(false);
}

void CDrawView::OnFillColor()
{
    ChooseObjectColor(true);
}

CDrawView* GetActiveDrawView()
{
    auto* frame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
    return frame != nullptr ? dynamic_cast<CDrawView*>(frame->GetActiveView()) : nullptr;
}

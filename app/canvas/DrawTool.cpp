#include "app/canvas/DrawTool.h"

#include <cstdlib>

#include "app/canvas/ComponentObj.h"
#include "app/canvas/DrawDoc.h"
#include "app/canvas/CanvasView.h"
#include "app/canvas/MultiSelectObj.h"
#include "app/canvas/UndoHistory.h"
#include "app/canvas/ViewStyle.h"
#include "app/core/DesignerContext.h"
#include "app/stage/StageFlashCtrl.h"
#include "model/ComponentDef.h"
#include "platform/drawing/DC.h"
#include "platform/window/Input.h"

namespace {

CComponentObj* AsComponent(CDrawObj* obj)
{
    return dynamic_cast<CComponentObj*>(obj);
}

bool HoldsOneInstance(CDrawObj* obj)
{
    const CComponentObj* component = AsComponent(obj);
    return component != nullptr && component->GetInstanceCount() == 1;
}

// The single selected object holding one instance, or null.
CDrawObj* SingleOneInstance(ICanvasView* pView)
{
    const auto& selection = pView->GetSelection();
    return selection.size() == 1 && HoldsOneInstance(selection.front()) ? selection.front() : nullptr;
}

bool InsideCanvas(ICanvasView* pView, CPoint logical)
{
    const CDrawDoc* doc = pView->GetDocument();
    return doc != nullptr && logical.x >= 0 && logical.y >= 0 && logical.x <= doc->GetCanvasWidth() * 20 &&
           logical.y <= doc->GetCanvasHeight() * 20;
}

void DrawBand(ICanvasView* pView, CDrawToolState& state, const CRect* band)
{
    // The focus rectangle is drawn by inverting, so drawing it again takes it away.
    CDC* dc = pView->Window().GetDC();
    if (dc == nullptr)
        return;
    if (state.bandShown)
        dc->DrawFocusRect(state.band);
    state.bandShown = band != nullptr;
    if (band != nullptr) {
        state.band = *band;
        dc->DrawFocusRect(state.band);
    }
    pView->Window().ReleaseDC(dc);
}

} // namespace

void InstallDrawTools(CDesignerContext& context)
{
    context.Tools() = {std::make_shared<CSelectTool>(), std::make_shared<CComponentTool>()};
}

CDrawTool* FindTool(CDesignerContext& context, int shape)
{
    for (const std::shared_ptr<CDrawTool>& tool : context.Tools()) {
        if (tool->GetShape() == shape)
            return tool.get();
    }
    return nullptr;
}

CDrawTool::CDrawTool(int shape) : m_nShape(shape) {}

CDrawTool* CDrawTool::FindTool(int shape)
{
    CDesignerContext* context = CDesignerContext::Current();
    return context != nullptr ? ::FindTool(*context, shape) : nullptr;
}

void CDrawTool::OnLButtonDown(ICanvasView* pView, unsigned nFlags, CPoint point)
{
    pView->Window().SetCapture();
    CDrawToolState& state = pView->GetToolState();
    state.downFlags = nFlags;
    state.downPoint = point;
    state.lastPoint = point;
}

void CDrawTool::OnLButtonDblClk(ICanvasView*, unsigned, CPoint) {}

void CDrawTool::OnLButtonUp(ICanvasView* pView, unsigned, CPoint point)
{
    ReleaseCapture();
    CDrawToolState& state = pView->GetToolState();
    if (point == state.downPoint)
        state.shape = CDrawToolState::SelectShape;
}

void CDrawTool::OnContextSelect(ICanvasView* pView, unsigned nFlags, CPoint point)
{
    CDrawTool::OnLButtonUp(pView, nFlags, point);
}

void CDrawTool::OnMouseMove(ICanvasView* pView, unsigned, CPoint point)
{
    pView->GetToolState().lastPoint = point;
    SetCursor(LoadCursorId(IDC_ARROW));
}

void CDrawTool::OnEditProperties(ICanvasView*) {}

void CDrawTool::OnCancel(ICanvasView* pView)
{
    pView->GetToolState().shape = CDrawToolState::SelectShape;
}

void CDrawTool::DrawTracking(ICanvasView*, CDC*) {}

void CDrawTool::DrawHandles(ICanvasView* pView, CDC* pDC, CDrawObj* obj)
{
    obj->DrawHandles(pDC, pView);
}

// ---- select tool ----

void CSelectTool::OnLButtonDown(ICanvasView* pView, unsigned nFlags, CPoint point)
{
    CDrawToolState& state = pView->GetToolState();
    const CPoint logical = pView->ClientToDoc(point);
    if (!InsideCanvas(pView, logical))
        return;
    state.mode = CDrawToolState::None;

    if (CDrawObj* obj = SingleOneInstance(pView)) {
        const int handle = obj->HitTest(logical, pView, true);
        if (handle != 0) {
            state.mode = CDrawToolState::Size;
            state.dragHandle = handle;
            state.sizing = true;
            state.keepAspect = (nFlags & MK_SHIFT) != 0;
            state.tracked = obj->m_position;
            state.lastLogical = logical;
            CDrawTool::OnLButtonDown(pView, nFlags, point);
            return;
        }
    }
    if (CDrawObj* obj = pView->GetDocument()->ObjectAt(logical)) {
        state.mode = CDrawToolState::Move;
        state.moved = true;
        if (!pView->IsSelected(obj))
            pView->Select(obj, (nFlags & MK_CONTROL) != 0);
        else if ((nFlags & MK_CONTROL) != 0)
            pView->Deselect(obj);
    }
    if (state.mode == CDrawToolState::None) {
        if ((nFlags & MK_SHIFT) == 0)
            pView->Select(nullptr);
        state.mode = CDrawToolState::RubberBand;
        const CRect empty(point, point);
        DrawBand(pView, state, &empty);
    }
    state.lastLogical = logical;
    CDrawTool::OnLButtonDown(pView, nFlags, point);
}

CPoint CSelectTool::SnapOffset(const CRect& moved, int stepX, int stepY, int canvasWidth, int canvasHeight)
{
    auto nearest = [](int edge, int step, int limit) {
        int threshold = static_cast<int>(step * 0.05);
        if (threshold < 100)
            threshold = 50;
        int best = edge;
        int bestDistance = threshold + 1;
        if (step <= 0)
            return edge;
        for (int line = step; line < limit; line += step) {
            const int distance = std::abs(line - edge);
            // On equal distance the later line wins.
            if (distance <= threshold && distance <= bestDistance) {
                best = line;
                bestDistance = distance;
            }
        }
        return best;
    };
    return {nearest(moved.left, stepX, canvasWidth) - moved.left, nearest(moved.top, stepY, canvasHeight) - moved.top};
}

void CSelectTool::OnMouseMove(ICanvasView* pView, unsigned nFlags, CPoint point)
{
    CDrawToolState& state = pView->GetToolState();
    if (CWnd::GetCapture() != &pView->Window()) {
        if (state.shape == CDrawToolState::SelectShape) {
            if (CDrawObj* obj = SingleOneInstance(pView)) {
                const int handle = obj->HitTest(pView->ClientToDoc(point), pView, true);
                if (handle != 0) {
                    SetCursor(obj->GetHandleCursor(handle));
                    return;
                }
            }
            CDrawTool::OnMouseMove(pView, nFlags, point);
        }
        return;
    }
    if (state.mode == CDrawToolState::RubberBand) {
        CRect band(state.downPoint, point);
        band.NormalizeRect();
        DrawBand(pView, state, &band);
        CDrawTool::OnMouseMove(pView, nFlags, point);
        return;
    }
    if (state.mode != CDrawToolState::Move && state.mode != CDrawToolState::Size) {
        CDrawTool::OnMouseMove(pView, nFlags, point);
        return;
    }

    const CPoint logical = pView->ClientToDoc(point);
    CPoint delta(logical.x - state.lastLogical.x, logical.y - state.lastLogical.y);
    const auto& selection = pView->GetSelection();
    CDrawDoc* doc = pView->GetDocument();
    if (state.mode == CDrawToolState::Move && pView->GetGrid().snap && !selection.empty() && doc != nullptr) {
        const CanvasGrid grid = pView->GetGrid();
        CRect bounds = selection.front()->m_position;
        for (CDrawObj* obj : selection)
            bounds.UnionRect(bounds, obj->m_position);
        bounds.OffsetRect(delta.x, delta.y);
        const CPoint snap = SnapOffset(bounds, grid.stepX, grid.stepY, doc->GetCanvasWidth() * 20,
                                       doc->GetCanvasHeight() * 20);
        delta.x += snap.x;
        delta.y += snap.y;
    }
    if (state.mode == CDrawToolState::Move) {
        for (CDrawObj* obj : selection) {
            CRect r = obj->m_position;
            r.OffsetRect(delta.x, delta.y);
            obj->MoveTo(r, pView);
        }
    } else if (!selection.empty()) {
        selection.front()->TrackHandle(state.dragHandle, logical.x, logical.y, state.tracked, state.keepAspect, 0, 0);
        pView->Window().Invalidate(FALSE);
    }
    state.lastLogical = logical;
    if (state.mode == CDrawToolState::Size && !selection.empty()) {
        state.lastPoint = point;
        SetCursor(selection.front()->GetHandleCursor(state.dragHandle));
    } else {
        CDrawTool::OnMouseMove(pView, nFlags, point);
    }
}

void CSelectTool::FollowOrClosePanel(ICanvasView* pView)
{
    IPropertiesPanel* panel = CComponentObj::GetCurrentPanel();
    if (panel == nullptr || !panel->IsSheetOpen())
        return;
    if (CDrawObj* obj = SingleOneInstance(pView))
        obj->FollowPropertyPanel();
    else
        panel->CloseSheet();
}

void CSelectTool::OnLButtonUp(ICanvasView* pView, unsigned nFlags, CPoint point)
{
    CDrawToolState& state = pView->GetToolState();
    CDrawDoc* doc = pView->GetDocument();
    CStageFlashCtrl* stage = doc != nullptr ? doc->GetStage() : nullptr;
    const auto& selection = pView->GetSelection();
    if (state.sizing) {
        auto* record = new CUndoGeometryRecord(false);
        if (!selection.empty()) {
            CDrawObj* obj = selection.back();
            const CRect old = obj->m_position;
            const CRect r = state.tracked;
            if (r != old) {
                record->Capture(obj, r.left - old.left, r.top - old.top, r.right - old.right, r.bottom - old.bottom);
                obj->Invalidate();
                obj->m_position = r;
                obj->SetBounds(r.left, r.top, r.right, r.bottom);
                if (auto* component = AsComponent(obj); stage != nullptr && component != nullptr)
                    stage->ResizeComponent(*component);
                if (doc != nullptr)
                    doc->SetModifiedFlag();
            }
        }
        state.sizing = false;
        state.keepAspect = false;
        if (!record->IsEmpty())
            pView->GetUndoHistory().Push(record);
        else
            delete record;
    } else if (state.moved) {
        auto* record = new CUndoGeometryRecord(true);
        for (CDrawObj* obj : selection) {
            auto* component = AsComponent(obj);
            const CRect old = component != nullptr ? component->GetCommittedBounds() : obj->m_position;
            const CRect r = obj->m_position;
            if (r == old)
                continue;
            record->Capture(obj, r.left - old.left, r.top - old.top, r.right - old.right, r.bottom - old.bottom);
            obj->SetBounds(r.left, r.top, r.right, r.bottom);
            if (stage != nullptr && component != nullptr)
                stage->MoveComponent(*component);
        }
        state.moved = false;
        if (!record->IsEmpty())
            pView->GetUndoHistory().Push(record);
        else
            delete record;
    }

    if (CWnd::GetCapture() == &pView->Window()) {
        if (state.mode == CDrawToolState::RubberBand) {
            DrawBand(pView, state, nullptr);
            CRect band(state.downPoint, state.lastPoint);
            band.NormalizeRect();
            pView->SelectWithin(band, true);
        } else if (state.mode == CDrawToolState::Size && point != state.downPoint) {
            pView->Window().Invalidate(FALSE);
            if (CDrawObj* obj = SingleOneInstance(pView))
                obj->FollowPropertyPanel();
        } else {
            FollowOrClosePanel(pView);
        }
    }
    state.mode = CDrawToolState::None;
    pView->Window().Invalidate(FALSE);
    CDrawTool::OnLButtonUp(pView, nFlags, point);
}

void CSelectTool::OnContextSelect(ICanvasView* pView, unsigned, CPoint)
{
    if (pView->GetToolState().mode != CDrawToolState::None)
        FollowOrClosePanel(pView);
}

void CSelectTool::OnLButtonDblClk(ICanvasView* pView, unsigned nFlags, CPoint point)
{
    if (CDrawObj* obj = SingleOneInstance(pView)) {
        // A double click opens the sheet; the first click's release may already have opened
        // it for this object, and opening again would close it.
        IPropertiesPanel* panel = CComponentObj::GetCurrentPanel();
        auto* component = AsComponent(obj);
        if (!(panel != nullptr && panel->IsSheetOpen() && &component->GetPanel() == panel))
            obj->OnOpen(pView);
    } else if (pView->CanEditProperties()) {
        OnEditProperties(pView);
    }
    CDrawTool::OnLButtonDblClk(pView, nFlags, point);
}

void CSelectTool::OnEditProperties(ICanvasView* pView)
{
    if (CDrawObj* obj = SingleOneInstance(pView)) {
        obj->OnEditProperties();
        return;
    }
    CMultiSelectObj& multi = pView->GetMultiSelect();
    multi.Clear();
    multi.SetDocument(pView->GetDocument());
    for (CDrawObj* obj : pView->GetSelection()) {
        if (auto* component = AsComponent(obj))
            multi.AddMember(component);
    }
    multi.EditProperties(pView->IsSameKind());
}

void CSelectTool::DrawTracking(ICanvasView* pView, CDC* pDC)
{
    const CDrawToolState& state = pView->GetToolState();
    if (!state.sizing)
        return;
    // A one-pixel black outline whatever the mapping.
    CRect r = state.tracked;
    r.NormalizeRect();
    CPen pen(PS_SOLID, 0, RGB(0, 0, 0));
    CBrush hollow = CBrush::Null();
    CPen* oldPen = pDC->SelectObject(&pen);
    CBrush* oldBrush = pDC->SelectObject(&hollow);
    pDC->Rectangle(r);
    pDC->SelectObject(oldPen);
    pDC->SelectObject(oldBrush);
}

void CSelectTool::DrawHandles(ICanvasView* pView, CDC* pDC, CDrawObj* obj)
{
    if (!pView->GetToolState().sizing)
        CDrawTool::DrawHandles(pView, pDC, obj);
}

// ---- component tool ----

CComponentTool::CComponentTool()
{
    m_nShape = CDrawToolState::ComponentShape;
}

void CComponentTool::OnLButtonDown(ICanvasView* pView, unsigned nFlags, CPoint point)
{
    CDrawTool::OnLButtonDown(pView, nFlags, point);
    CDrawToolState& state = pView->GetToolState();
    CDrawDoc* doc = pView->GetDocument();
    CComponentDef* def = state.definition;
    CSwfComponent* prototype = def != nullptr ? def->GetPrototype() : nullptr;
    if (doc == nullptr || prototype == nullptr || !pView->GetCanvasClientRect().PtInRect(point))
        return;

    const CPoint logical = pView->ClientToDoc(point);
    std::unique_ptr<CComponent> instance = prototype->CreateInstance();
    instance->SetRect({logical.x, logical.y, logical.x, logical.y});
    CComponent* raw = instance.release();
    auto* obj = new CComponentObj(CRect(logical, logical), raw);
    obj->ApplyGlobalStyle(pView->GetViewStyle().Record());
    doc->Add(obj);
    pView->Select(obj);
    pView->GetUndoHistory().Push(new CUndoListRecord(pView->GetUndoHistory().Ownership(), obj, true, doc));

    state.mode = CDrawToolState::Size;
    state.dragHandle = 5;
    obj->MoveHandleTo(5, logical, pView, false);
    // A component of fixed height (or width) keeps that side while a handle moves, which from
    // the empty starting rectangle would leave it flat: it takes its natural measure instead.
    CRect r = obj->m_position;
    if (r.Width() == 0)
        r.right = r.left + obj->GetNaturalWidth();
    if (r.Height() == 0)
        r.bottom = r.top + obj->GetNaturalHeight();
    obj->m_position = r;
    obj->SetBounds(r.left, r.top, r.right, r.bottom);
    // A drag that follows sizes the new component from its natural size, committed on release.
    state.sizing = true;
    state.keepAspect = false;
    state.tracked = r;
    state.lastLogical = logical;
    state.shape = CDrawToolState::SelectShape;
    if (CStageFlashCtrl* stage = doc->GetStage())
        stage->AddComponent(*obj);
    doc->UpdateAllViews(nullptr);
    pView->RefreshObjectBrowser();
}

void CComponentTool::OnMouseMove(ICanvasView* pView, unsigned nFlags, CPoint point)
{
    SetCursor(LoadCursorId(IDC_CROSS));
    CSelectTool::OnMouseMove(pView, nFlags, point);
}

#include "app/canvas/EditCommands.h"

#include <algorithm>

#include "app/canvas/CanvasView.h"
#include "app/canvas/ComponentObj.h"
#include "app/canvas/DrawDoc.h"
#include "app/canvas/DrawTool.h"
#include "app/canvas/UndoHistory.h"
#include "app/core/DesignerContext.h"
#include "app/stage/StageFlashCtrl.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/docview/View.h"
#include "platform/window/Input.h"
#include "publish/BaseMovie.h"

namespace {

CComponentObj* AsComponent(CDrawObj* obj)
{
    return dynamic_cast<CComponentObj*>(obj);
}

bool IsGroup(CDrawObj* obj)
{
    const CComponentObj* component = AsComponent(obj);
    return component != nullptr && component->GetInstanceCount() > 1;
}

} // namespace

CEditCommands::CEditCommands(ICanvasView& view, CDesignerContext& designer) : m_view(view), m_designer(designer) {}

void CEditCommands::SelectAll()
{
    if (CDrawDoc* doc = m_view.GetDocument()) {
        for (CDrawObj* obj : doc->GetObjects())
            m_view.Select(obj, true);
    }
}

bool CEditCommands::CanSelectAll() const
{
    const CDrawDoc* doc = m_view.GetDocument();
    return doc != nullptr && !doc->GetObjects().empty();
}

void CEditCommands::Undo()
{
    m_view.GetUndoHistory().Undo();
    m_view.Window().Invalidate(FALSE);
}

void CEditCommands::Redo()
{
    m_view.GetUndoHistory().Redo();
    m_view.Window().Invalidate(FALSE);
}

void CEditCommands::Clear()
{
    CDrawDoc* doc = m_view.GetDocument();
    if (doc == nullptr || m_view.GetSelection().empty())
        return;
    m_view.SortSelectionByZOrder();
    const std::vector<CDrawObj*> doomed = m_view.GetSelection();
    m_view.Select(nullptr);
    CUndoHistory& undo = m_view.GetUndoHistory();
    auto* record = new CUndoListRecord(undo.Ownership());
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
    undo.Push(record);
    doc->UpdateAllViews(nullptr);
    m_view.RefreshObjectBrowser();
}

bool CEditCommands::CanHideShow() const
{
    return m_view.GetSelection().size() == 1 && m_view.GetToolState().shape == CDrawToolState::SelectShape;
}

void CEditCommands::HideShow()
{
    if (!CanHideShow())
        return;
    auto* component = AsComponent(m_view.GetSelection().front());
    if (component == nullptr)
        return;
    CDrawDoc* doc = m_view.GetDocument();
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
    m_view.InvalObj(component);
    m_view.RefreshObjectBrowser();
}

void CEditCommands::ChooseColor(bool fill)
{
    CColorDialog colors(RGB(0, 0, 0), 0, &m_view.Window());
    if (colors.DoModal() != IDOK)
        return;
    for (CDrawObj* obj : m_view.GetSelection()) {
        if (fill)
            obj->SetFillColor(colors.GetColor());
        else
            obj->SetLineColor(colors.GetColor());
    }
}

bool CEditCommands::CanMakeSameSize() const
{
    const auto& selection = m_view.GetSelection();
    return selection.size() >= 2 && std::none_of(selection.begin(), selection.end(), IsGroup);
}

bool CEditCommands::HasGroup() const
{
    const auto& selection = m_view.GetSelection();
    return std::any_of(selection.begin(), selection.end(), IsGroup);
}

bool CEditCommands::Nudge(unsigned key, unsigned repeat)
{
    int dx = 0;
    int dy = 0;
    const int step = static_cast<int>(std::max(1u, repeat)) * 20;
    switch (key) {
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
        return false;
    }
    const std::vector<CDrawObj*>& selection = m_view.GetSelection();
    if (m_nudge.empty()) {
        for (CDrawObj* obj : selection)
            m_nudge.emplace_back(obj, obj->m_position);
    }
    CDrawDoc* doc = m_view.GetDocument();
    CStageFlashCtrl* stage = doc != nullptr ? doc->GetStage() : nullptr;
    for (CDrawObj* obj : selection) {
        m_view.InvalObj(obj);
        CRect r = obj->m_position;
        r.OffsetRect(dx, dy);
        obj->m_position = r;
        obj->SetBounds(r.left, r.top, r.right, r.bottom);
        if (auto* component = AsComponent(obj); stage != nullptr && component != nullptr)
            stage->MoveComponent(*component);
        m_view.InvalObj(obj);
    }
    if (doc != nullptr) {
        doc->SetModifiedFlag();
        doc->UpdateAllViews(dynamic_cast<CView*>(&m_view.Window()));
    }
    return true;
}

void CEditCommands::EndNudge()
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
        m_view.GetUndoHistory().Push(record);
    else
        delete record;
}

#include "app/canvas/UndoHistory.h"

#include <algorithm>

#include "app/canvas/ComponentObj.h"
#include "app/canvas/DrawDoc.h"
#include "app/stage/StageFlashCtrl.h"
#include "publish/BaseMovie.h"

// ---- ownership ----

unsigned CUndoOwnership::Bits(const CDrawObj* obj) const
{
    const auto it = m_bits.find(obj);
    return it != m_bits.end() ? it->second : 0;
}

void CUndoOwnership::Set(const CDrawObj* obj, unsigned set, unsigned clear)
{
    unsigned& bits = m_bits[obj];
    bits = (bits | set) & ~clear;
}

// ---- history ----

CUndoHistory::CUndoHistory(IUndoView& view) : m_view(view), m_pHead(new CUndoRecord), m_pTail(m_pHead), m_pCurrent(m_pHead)
{
}

CUndoHistory::~CUndoHistory()
{
    Clear();
    delete m_pHead;
}

void CUndoHistory::DeleteAfter(CUndoRecord* record)
{
    CUndoRecord* next = record->m_pNext;
    record->m_pNext = nullptr;
    while (next != nullptr) {
        CUndoRecord* after = next->m_pNext;
        delete next;
        --m_nCount;
        next = after;
    }
    m_pTail = record;
}

int CUndoHistory::Push(CUndoRecord* record)
{
    DeleteAfter(m_pCurrent);
    record->m_pPrev = m_pTail;
    record->m_pNext = nullptr;
    m_pTail->m_pNext = record;
    m_pTail = record;
    m_pCurrent = record;
    ++m_nCount;
    if (m_nCount > kLimit) {
        // The oldest record becomes the sentinel; what it did can no longer be undone, and
        // deleting the old sentinel first keeps the objects it alone held alive until now.
        CUndoRecord* oldHead = m_pHead;
        m_pHead = oldHead->m_pNext;
        m_pHead->m_pPrev = nullptr;
        delete oldHead;
        --m_nCount;
    }
    return m_nCount;
}

void CUndoHistory::Undo()
{
    if (!CanUndo())
        return;
    CUndoRecord* record = m_pCurrent;
    m_pCurrent = record->m_pPrev;
    record->Undo(m_view);
}

void CUndoHistory::Redo()
{
    if (!CanRedo())
        return;
    m_pCurrent = m_pCurrent->m_pNext;
    m_pCurrent->Redo(m_view);
}

void CUndoHistory::Clear()
{
    DeleteAfter(m_pHead);
    m_nCount = 0;
    m_pCurrent = m_pHead;
}

// ---- geometry ----

namespace {

CStageFlashCtrl* StageOf(const IUndoView& view)
{
    CDrawDoc* doc = view.GetUndoDocument();
    return doc != nullptr ? doc->GetStage() : nullptr;
}

} // namespace

void CUndoGeometryRecord::Capture(CDrawObj* obj, int dLeft, int dTop, int dRight, int dBottom)
{
    m_objects.push_back(obj);
    m_deltas.push_back({dLeft, dTop, dRight, dBottom});
}

void CUndoGeometryRecord::Apply(IUndoView& view, int sign)
{
    CStageFlashCtrl* stage = StageOf(view);
    for (std::size_t i = 0; i < m_objects.size(); ++i) {
        CDrawObj* obj = m_objects[i];
        const auto& d = m_deltas[i];
        CRect r = obj->m_position;
        r.left += sign * d[0];
        r.top += sign * d[1];
        r.right += sign * d[2];
        r.bottom += sign * d[3];
        obj->Invalidate();
        obj->m_position = r;
        obj->SetBounds(r.left, r.top, r.right, r.bottom);
        auto* component = dynamic_cast<CComponentObj*>(obj);
        if (stage != nullptr && component != nullptr && component->GetInstanceCount() > 0) {
            if (m_bMoveOnly)
                stage->MoveComponent(*component);
            else
                stage->ResizeComponent(*component);
        }
    }
    if (CDrawDoc* doc = view.GetUndoDocument()) {
        doc->SetModifiedFlag();
        doc->UpdateAllViews(nullptr);
    }
}

// ---- list ----

CUndoListRecord::CUndoListRecord(CUndoOwnership& ownership, CDrawObj* obj, bool bAdded, CDrawDoc* doc)
    : m_ownership(ownership)
{
    AddObject(obj, bAdded, doc);
}

void CUndoListRecord::AddObject(CDrawObj* obj, bool bAdded, CDrawDoc* doc)
{
    CDrawObj* above = nullptr;
    if (doc != nullptr) {
        const auto& objects = doc->GetObjects();
        const auto it = std::find(objects.begin(), objects.end(), obj);
        if (it != objects.end() && it + 1 != objects.end())
            above = *(it + 1);
    }
    m_above.push_back(above);
    m_objects.push_back(obj);
    m_added.push_back(bAdded);
    if (bAdded)
        m_ownership.Set(obj, CUndoOwnership::AdditionInForce, 0);
    else
        m_ownership.Set(obj, CUndoOwnership::OutOfDocument | CUndoOwnership::RemovalInForce, 0);
}

void CUndoListRecord::AddRemoved(CDrawObj* obj, CDrawObj* above)
{
    m_above.push_back(above);
    m_objects.push_back(obj);
    m_added.push_back(false);
    m_ownership.Set(obj, CUndoOwnership::OutOfDocument | CUndoOwnership::RemovalInForce, 0);
}

CUndoListRecord::~CUndoListRecord()
{
    for (std::size_t i = 0; i < m_objects.size(); ++i) {
        CDrawObj* obj = m_objects[i];
        if (!m_ownership.Holds(obj))
            continue;
        const unsigned bits = m_ownership.Bits(obj);
        if (m_added[i]) {
            m_ownership.Set(obj, 0, (bits & CUndoOwnership::AdditionUndone) ? CUndoOwnership::AdditionUndone
                                                                             : CUndoOwnership::AdditionInForce);
        } else {
            m_ownership.Set(obj, 0, (bits & CUndoOwnership::RemovalUndone) ? CUndoOwnership::RemovalUndone
                                                                           : CUndoOwnership::RemovalInForce);
        }
        const unsigned left = m_ownership.Bits(obj);
        if (left == CUndoOwnership::OutOfDocument) {
            // Out of the document and no record can bring it back: it goes for good.
            m_ownership.Erase(obj);
            delete obj;
        } else if (left == 0) {
            m_ownership.Erase(obj);
        }
    }
}

void CUndoListRecord::TakeOut(IUndoView& view, std::size_t i, bool undo)
{
    CDrawObj* obj = m_objects[i];
    CDrawDoc* doc = view.GetUndoDocument();
    view.DeselectRemoved(obj);
    obj->Invalidate();
    if (doc != nullptr)
        doc->Remove(obj);
    if (auto* component = dynamic_cast<CComponentObj*>(obj)) {
        if (CStageFlashCtrl* stage = StageOf(view)) {
            stage->DeleteComponent(*component);
            // A reply still on its way must not reach an object that has left the canvas.
            stage->ForgetObject(*component);
        }
    }
    if (CBaseMovie* base = GetBaseMovie())
        base->SetModelChanged();
    if (undo)
        m_ownership.Set(obj, CUndoOwnership::AdditionUndone | CUndoOwnership::OutOfDocument,
                        CUndoOwnership::AdditionInForce);
    else
        m_ownership.Set(obj, CUndoOwnership::RemovalInForce | CUndoOwnership::OutOfDocument,
                        CUndoOwnership::RemovalUndone);
}

void CUndoListRecord::PutBack(IUndoView& view, std::size_t i, bool undo)
{
    CDrawObj* obj = m_objects[i];
    CDrawDoc* doc = view.GetUndoDocument();
    if (doc == nullptr)
        return;
    CDrawObj* above = m_above[i];
    if (above != nullptr && !doc->Contains(above))
        above = nullptr;
    doc->InsertBelow(obj, above);
    auto* component = dynamic_cast<CComponentObj*>(obj);
    if (component != nullptr) {
        component->m_bShown = true;
        if (CStageFlashCtrl* stage = StageOf(view)) {
            stage->AddComponent(*component);
            // The stage puts a new component on top: bring it down below every object that
            // lies above it in the list, the topmost first.
            const auto& objects = doc->GetObjects();
            for (auto it = objects.rbegin(); it != objects.rend() && *it != obj; ++it)
                SwapStageDepths(*doc, *it, obj, true);
        }
    }
    obj->Invalidate();
    view.SelectRestored(obj);
    if (undo)
        m_ownership.Set(obj, CUndoOwnership::RemovalUndone,
                        CUndoOwnership::RemovalInForce | CUndoOwnership::OutOfDocument);
    else
        m_ownership.Set(obj, CUndoOwnership::AdditionInForce,
                        CUndoOwnership::AdditionUndone | CUndoOwnership::OutOfDocument);
}

void CUndoListRecord::Undo(IUndoView& view)
{
    for (std::size_t n = m_objects.size(); n-- > 0;) {
        // Every referenced object stays in the table while this record lives; an entry that
        // is missing is skipped rather than leaving the rest of the record unapplied.
        if (!m_ownership.Holds(m_objects[n]))
            continue;
        if (m_added[n])
            TakeOut(view, n, true);
        else
            PutBack(view, n, true);
    }
    view.RefreshObjectBrowser();
}

void CUndoListRecord::Redo(IUndoView& view)
{
    for (std::size_t n = m_objects.size(); n-- > 0;) {
        if (!m_ownership.Holds(m_objects[n]))
            continue;
        if (m_added[n])
            PutBack(view, n, false);
        else
            TakeOut(view, n, false);
    }
    view.RefreshObjectBrowser();
}

// ---- z-order ----

void SwapStageDepths(CDrawDoc& doc, CDrawObj* lower, CDrawObj* upper, bool upperNamedFirst)
{
    CStageFlashCtrl* stage = doc.GetStage();
    auto* below = dynamic_cast<CComponentObj*>(lower);
    auto* above = dynamic_cast<CComponentObj*>(upper);
    if (stage == nullptr || below == nullptr || above == nullptr)
        return;
    const std::vector<CComponent*>& low = below->GetInstances();
    for (auto l = low.rbegin(); l != low.rend(); ++l) {
        for (CComponent* high : above->GetInstances()) {
            if (upperNamedFirst)
                stage->SwapDepths(*high, **l);
            else
                stage->SwapDepths(**l, *high);
        }
    }
}

void CUndoZOrderRecord::Step(IUndoView& view, int count)
{
    CDrawDoc* doc = view.GetUndoDocument();
    if (doc != nullptr) {
        const bool up = count > 0;
        for (int n = 0; n < (up ? count : -count); ++n) {
            const auto& objects = doc->GetObjects();
            const auto it = std::find(objects.begin(), objects.end(), m_pObj);
            if (it == objects.end())
                break;
            CDrawObj* neighbour = nullptr;
            if (up && it + 1 != objects.end())
                neighbour = *(it + 1);
            else if (!up && it != objects.begin())
                neighbour = *(it - 1);
            if (neighbour == nullptr || !doc->StepObject(m_pObj, up))
                break;
            if (up)
                SwapStageDepths(*doc, m_pObj, neighbour);
            else
                SwapStageDepths(*doc, neighbour, m_pObj);
        }
    }
    m_pObj->Invalidate();
    view.RefreshObjectBrowser();
}

#include "app/canvas/LayoutCommands.h"

#include <algorithm>
#include <memory>
#include <string>

#include "app/canvas/ComponentObj.h"
#include "app/canvas/DrawDoc.h"
#include "app/canvas/CanvasView.h"
#include "app/canvas/UndoHistory.h"
#include "app/core/AppIds.h"
#include "app/stage/StageFlashCtrl.h"
#include "publish/BaseMovie.h"

namespace {

CComponentObj* AsComponent(CDrawObj* obj)
{
    return dynamic_cast<CComponentObj*>(obj);
}

// A component object that hands its instances over instead of deleting them: Group makes one
// for each object it takes in, puts it on the stage where that object stood, and keeps its
// instances for the group.
class CInstanceCarrier : public CComponentObj {
public:
    explicit CInstanceCarrier(const CComponentObj& from) : CComponentObj(from.m_position, Copies(from), std::string()) {}
    std::vector<CComponent*> Release()
    {
        std::vector<CComponent*> instances;
        instances.swap(m_instances);
        return instances;
    }

private:
    static std::vector<CComponent*> Copies(const CComponentObj& from)
    {
        std::vector<CComponent*> copies;
        for (const CComponent* instance : from.GetInstances()) {
            std::unique_ptr<CComponent> copy = instance->CreateInstance();
            copy->SetRect(instance->GetRect());
            copies.push_back(copy.release());
        }
        return copies;
    }
};

CRect BoundsOf(const std::vector<CDrawObj*>& objects)
{
    CRect bounds = objects.front()->m_position;
    for (const CDrawObj* obj : objects) {
        bounds.left = std::min(bounds.left, obj->m_position.left);
        bounds.top = std::min(bounds.top, obj->m_position.top);
        bounds.right = std::max(bounds.right, obj->m_position.right);
        bounds.bottom = std::max(bounds.bottom, obj->m_position.bottom);
    }
    return bounds;
}

std::size_t IndexOf(const CDrawDoc& doc, const CDrawObj* obj)
{
    const auto& objects = doc.GetObjects();
    return static_cast<std::size_t>(std::find(objects.begin(), objects.end(), obj) - objects.begin());
}

// The object directly above in the document list, or null at the top or outside the list.
CDrawObj* Above(const CDrawDoc& doc, const CDrawObj* obj)
{
    const auto& objects = doc.GetObjects();
    const std::size_t i = IndexOf(doc, obj);
    return i + 1 < objects.size() ? objects[i + 1] : nullptr;
}

} // namespace

CCanvasClip::~CCanvasClip()
{
    for (CDrawObj* obj : objects)
        obj->Remove();
}

CLayoutCommands::CLayoutCommands(ICanvasView& view, CClipboard& clipboard) : m_view(view), m_clipboard(clipboard) {}

bool CLayoutCommands::Execute(unsigned id)
{
    switch (id) {
    case ID_ALIGN_LEFT: Align(Edge::Left); break;
    case ID_ALIGN_RIGHT: Align(Edge::Right); break;
    case ID_ALIGN_TOP: Align(Edge::Top); break;
    case ID_ALIGN_BOTTOM: Align(Edge::Bottom); break;
    case ID_ALIGN_CENTER_HORZ: Align(Edge::CenterHorizontal); break;
    case ID_ALIGN_CENTER_VERT: Align(Edge::CenterVertical); break;
    case ID_SAME_WIDTH: MakeSameSize(Size::Width); break;
    case ID_SAME_HEIGHT: MakeSameSize(Size::Height); break;
    case ID_SAME_BOTH: MakeSameSize(Size::Both); break;
    case ID_SPACE_DOWN: SpaceEvenly(Axis::Down); break;
    case ID_SPACE_ACROSS: SpaceEvenly(Axis::Across); break;
    case ID_CENTER_VERT: CenterInDocument(Centre::Vertical); break;
    case ID_CENTER_HORZ: CenterInDocument(Centre::Horizontal); break;
    case ID_CENTER_BOTH: CenterInDocument(Centre::Both); break;
    case ID_BRING_TO_FRONT: BringToFront(); break;
    case ID_SEND_TO_BACK: SendToBack(); break;
    case ID_BRING_FORWARD: BringForward(); break;
    case ID_SEND_BACK: SendBack(); break;
    case ID_GROUP: Group(); break;
    case ID_UNGROUP: Ungroup(); break;
    case ID_EDIT_CUT: Cut(); break;
    case ID_EDIT_COPY: Copy(); break;
    case ID_EDIT_PASTE: Paste(); break;
    default: return false;
    }
    return true;
}

// ---- geometry ----

void CLayoutCommands::Commit(CDrawObj* obj, const CRect& rect, CUndoGeometryRecord& record, StageCall call)
{
    const CRect old = obj->m_position;
    if (rect == old)
        return;
    record.Capture(obj, rect.left - old.left, rect.top - old.top, rect.right - old.right, rect.bottom - old.bottom);
    obj->Invalidate();
    obj->m_position = rect;
    obj->SetBounds(rect.left, rect.top, rect.right, rect.bottom);
    CDrawDoc* doc = m_view.GetDocument();
    CStageFlashCtrl* stage = doc != nullptr ? doc->GetStage() : nullptr;
    if (auto* component = AsComponent(obj); stage != nullptr && component != nullptr && component->GetInstanceCount() > 0) {
        if (call == StageCall::Move)
            stage->MoveComponent(*component);
        else
            stage->ResizeComponent(*component);
    }
    obj->Invalidate();
}

void CLayoutCommands::Finish(CUndoGeometryRecord* record)
{
    CDrawDoc* doc = m_view.GetDocument();
    if (record->IsEmpty()) {
        delete record;
        return;
    }
    m_view.GetUndoHistory().Push(record);
    if (doc != nullptr) {
        doc->SetModifiedFlag();
        doc->UpdateAllViews(nullptr);
    }
}

void CLayoutCommands::Align(Edge edge)
{
    const std::vector<CDrawObj*> selection = m_view.GetSelection();
    if (selection.empty() || m_view.IsPreview())
        return;
    const CRect ref = selection.front()->m_position;
    auto* record = new CUndoGeometryRecord(true);
    for (CDrawObj* obj : selection) {
        CRect r = obj->m_position;
        const int w = r.Width();
        const int h = r.Height();
        switch (edge) {
        case Edge::Left: r.left = ref.left; r.right = r.left + w; break;
        case Edge::Right: r.right = ref.right; r.left = r.right - w; break;
        case Edge::Top: r.top = ref.top; r.bottom = r.top + h; break;
        case Edge::Bottom: r.bottom = ref.bottom; r.top = r.bottom - h; break;
        case Edge::CenterHorizontal: {
            // Both halves truncate: an odd width comes out one twip narrower.
            const int c = (ref.left + ref.right) / 2;
            r.left = c - w / 2;
            r.right = c + w / 2;
            break;
        }
        case Edge::CenterVertical: {
            const int c = (ref.top + ref.bottom) / 2;
            r.top = c - h / 2;
            r.bottom = c + h / 2;
            break;
        }
        }
        Commit(obj, r, *record, StageCall::Move);
    }
    Finish(record);
}

void CLayoutCommands::MakeSameSize(Size size)
{
    const std::vector<CDrawObj*> selection = m_view.GetSelection();
    if (selection.empty() || m_view.IsPreview())
        return;
    const CRect ref = selection.front()->m_position;
    auto* record = new CUndoGeometryRecord(false);
    for (CDrawObj* obj : selection) {
        // A group's members keep their own sizes: it cannot take another size as a whole.
        if (const CComponentObj* component = AsComponent(obj); component != nullptr && component->GetInstanceCount() > 1)
            continue;
        CRect r = obj->m_position;
        if (size != Size::Height)
            r.right = r.left + ref.Width();
        if (size != Size::Width)
            r.bottom = r.top + ref.Height();
        Commit(obj, r, *record, StageCall::Resize);
    }
    Finish(record);
}

void CLayoutCommands::SpaceEvenly(Axis axis)
{
    std::vector<CDrawObj*> sorted = m_view.GetSelection();
    if (sorted.size() < 2 || m_view.IsPreview())
        return;
    const CRect bounds = BoundsOf(sorted);
    const bool down = axis == Axis::Down;
    // Objects at the same top (or left) stay in the order they were selected.
    std::stable_sort(sorted.begin(), sorted.end(), [down](const CDrawObj* a, const CDrawObj* b) {
        return down ? a->m_position.top < b->m_position.top : a->m_position.left < b->m_position.left;
    });
    const int n = static_cast<int>(sorted.size());
    const CRect first = sorted.front()->m_position;
    const CRect last = sorted.back()->m_position;
    const int step = down ? (bounds.bottom - bounds.top - first.Height() / 2 - last.Height() / 2) / (n - 1)
                          : (bounds.right - bounds.left - first.Width() / 2 - last.Width() / 2) / (n - 1);
    auto* record = new CUndoGeometryRecord(true);
    CRect prev = first;
    for (int i = 1; i + 1 < n; ++i) {
        CDrawObj* obj = sorted[static_cast<std::size_t>(i)];
        CRect r = obj->m_position;
        if (down) {
            const int h = r.Height();
            r.top = (prev.bottom - prev.Height() / 2) - h / 2 + step;
            r.bottom = r.top + h;
        } else {
            const int w = r.Width();
            r.left = (prev.right - prev.Width() / 2) - w / 2 + step;
            r.right = r.left + w;
        }
        Commit(obj, r, *record, StageCall::Move);
        prev = r;
    }
    Finish(record);
}

void CLayoutCommands::CenterInDocument(Centre centre)
{
    const std::vector<CDrawObj*> selection = m_view.GetSelection();
    CDrawDoc* doc = m_view.GetDocument();
    if (selection.empty() || doc == nullptr || m_view.IsPreview())
        return;
    const CSize canvas = doc->GetStageSizeTwips();
    const CRect bounds = BoundsOf(selection);
    const int dx = centre != Centre::Vertical ? canvas.cx / 2 - (bounds.left + bounds.right) / 2 : 0;
    const int dy = centre != Centre::Horizontal ? canvas.cy / 2 - (bounds.top + bounds.bottom) / 2 : 0;
    auto* record = new CUndoGeometryRecord(true);
    for (CDrawObj* obj : selection) {
        CRect r = obj->m_position;
        r.OffsetRect(dx, dy);
        Commit(obj, r, *record, StageCall::Move);
    }
    Finish(record);
}

// ---- z-order ----

bool CLayoutCommands::StepOnce(CDrawObj* obj, bool forward)
{
    CDrawDoc* doc = m_view.GetDocument();
    const auto& objects = doc->GetObjects();
    const std::size_t i = IndexOf(*doc, obj);
    if (i >= objects.size())
        return false;
    if (forward) {
        if (i + 1 >= objects.size())
            return false;
        CDrawObj* successor = objects[i + 1];
        doc->StepObject(obj, true);
        SwapStageDepths(*doc, obj, successor);
    } else {
        if (i == 0)
            return false;
        CDrawObj* predecessor = objects[i - 1];
        doc->StepObject(obj, false);
        SwapStageDepths(*doc, predecessor, obj);
    }
    obj->Invalidate();
    return true;
}

void CLayoutCommands::MoveInZOrder(bool forward, bool allTheWay)
{
    const std::vector<CDrawObj*>& selection = m_view.GetSelection();
    if (selection.empty() || m_view.GetDocument() == nullptr || m_view.IsPreview())
        return;
    CDrawObj* obj = selection.front();
    int count = 0;
    while (StepOnce(obj, forward)) {
        count += forward ? 1 : -1;
        if (!allTheWay)
            break;
    }
    m_view.RefreshObjectBrowser();
    if (count != 0) {
        m_view.GetUndoHistory().Push(new CUndoZOrderRecord(obj, count));
        m_view.GetDocument()->SetModifiedFlag();
    }
}

// ---- group and ungroup ----

void CLayoutCommands::SwapWithAbove(CDrawObj* obj)
{
    CDrawDoc* doc = m_view.GetDocument();
    CDrawObj* above = Above(*doc, obj);
    if (above == nullptr || !doc->StepObject(obj, true))
        return;
    SwapStageDepths(*doc, obj, above);
    obj->Invalidate();
    above->Invalidate();
}

void CLayoutCommands::PlaceDirectlyAbove(CDrawObj* obj, CDrawObj* anchor)
{
    CDrawDoc* doc = m_view.GetDocument();
    // Down past everything above the anchor, each swap mirrored on the stage.
    while (IndexOf(*doc, obj) > IndexOf(*doc, anchor) + 1) {
        const std::size_t i = IndexOf(*doc, obj);
        CDrawObj* below = doc->GetObjects()[i - 1];
        doc->StepObject(obj, false);
        SwapStageDepths(*doc, below, obj);
    }
}

void CLayoutCommands::Gather(const std::vector<CDrawObj*>& lowestFirst)
{
    CDrawDoc* doc = m_view.GetDocument();
    CDrawObj* target = lowestFirst.back();
    for (std::size_t j = lowestFirst.size() - 1; j-- > 0;) {
        CDrawObj* obj = lowestFirst[j];
        while (IndexOf(*doc, obj) + 1 < IndexOf(*doc, target))
            SwapWithAbove(obj);
        target = obj;
    }
}

void CLayoutCommands::Group()
{
    CDrawDoc* doc = m_view.GetDocument();
    if (doc == nullptr || m_view.IsPreview())
        return;
    // Only components group: objects of other programs stay out.
    m_view.SortSelectionByZOrder();
    std::vector<CDrawObj*> members;
    for (CDrawObj* obj : m_view.GetSelection()) {
        if (const CComponentObj* component = AsComponent(obj); component != nullptr && component->GetInstanceCount() > 0)
            members.push_back(obj);
    }
    if (members.size() < 2)
        return;
    m_view.Select(nullptr);
    CStageFlashCtrl* stage = doc->GetStage();

    // The members leave the canvas as Delete takes them: each with the neighbour it had, the
    // lowest first, so that Undo (which runs from the last entry) puts the topmost back first.
    auto* record = new CUndoListRecord(m_view.GetUndoHistory().Ownership());
    std::vector<CDrawObj*> neighbours;
    for (CDrawObj* obj : members)
        neighbours.push_back(Above(*doc, obj));
    Gather(members);

    CRect bounds = members.front()->m_position;
    std::vector<CComponent*> instances;
    std::vector<std::string> names{std::string()};
    CDrawObj* after = nullptr;
    for (CDrawObj* obj : members) {
        auto* member = AsComponent(obj);
        bounds.UnionRect(bounds, member->m_position);
        // Fresh copies of the member's components go on the stage where it stands; they are
        // the group's, and the member itself leaves the stage (Undo brings it back whole).
        auto* carrier = new CInstanceCarrier(*member);
        doc->Add(carrier);
        if (stage != nullptr)
            stage->AddComponent(*carrier);
        PlaceDirectlyAbove(carrier, member);
        std::vector<CComponent*> copies = carrier->Release();
        instances.insert(instances.end(), copies.begin(), copies.end());
        if (member->GetInstanceCount() == 1) {
            names.push_back(member->GetName());
        } else {
            for (int i = 1; i <= member->GetInstanceCount(); ++i)
                names.push_back(member->GetNameAt(static_cast<std::size_t>(i)));
        }
        doc->Remove(carrier);
        delete carrier;
        after = Above(*doc, member);
        member->Invalidate();
        doc->Remove(member);
        member->ClosePropertyPanel();
        if (stage != nullptr) {
            stage->DeleteComponent(*member);
            stage->ForgetObject(*member);
        }
    }
    for (std::size_t i = 0; i < members.size(); ++i)
        record->AddRemoved(members[i], neighbours[i]);

    names[0] = CComponentObj::MakeGroupName();
    auto* group = new CComponentObj(bounds, std::move(instances), std::move(names));
    doc->InsertBelow(group, after != nullptr && doc->Contains(after) ? after : nullptr);
    doc->SetModifiedFlag();
    record->AddObject(group, true, doc);
    m_view.GetUndoHistory().Push(record);
    if (CBaseMovie* base = GetBaseMovie())
        base->SetModelChanged();
    group->Invalidate();
    m_view.Select(group);
    doc->UpdateAllViews(nullptr);
    m_view.RefreshObjectBrowser();
}

void CLayoutCommands::Ungroup()
{
    CDrawDoc* doc = m_view.GetDocument();
    if (doc == nullptr || m_view.IsPreview())
        return;
    std::vector<CComponentObj*> groups;
    for (CDrawObj* obj : m_view.GetSelection()) {
        if (auto* component = AsComponent(obj); component != nullptr && component->GetInstanceCount() > 1)
            groups.push_back(component);
    }
    if (groups.empty())
        return;
    CStageFlashCtrl* stage = doc->GetStage();
    std::vector<CDrawObj*> keep;
    for (CDrawObj* obj : m_view.GetSelection()) {
        if (std::find(groups.begin(), groups.end(), obj) == groups.end())
            keep.push_back(obj);
    }
    m_view.Select(nullptr);

    // Undo puts the groups back in their places, each below the neighbour it had; the lowest
    // group is recorded first, so Undo brings the topmost back first.
    std::vector<CComponentObj*> lowestFirst = groups;
    std::sort(lowestFirst.begin(), lowestFirst.end(),
              [doc](const CDrawObj* a, const CDrawObj* b) { return IndexOf(*doc, a) < IndexOf(*doc, b); });
    std::vector<CDrawObj*> neighbours;
    for (CComponentObj* group : lowestFirst)
        neighbours.push_back(Above(*doc, group));

    std::vector<CDrawObj*> made;
    for (CComponentObj* group : groups) {
        // From the last member down, each new object goes directly above the group: the
        // members keep their stacking.
        for (int i = group->GetInstanceCount(); i-- > 0;) {
            const CComponent* instance = group->GetInstance(i);
            std::unique_ptr<CComponent> copy = instance->CreateInstance();
            copy->SetRect(instance->GetRect());
            const ComponentRect r = instance->GetRect();
            auto* obj = new CComponentObj(CRect(r.left, r.top, r.right, r.bottom), copy.release(),
                                          group->GetNameAt(static_cast<std::size_t>(i) + 1));
            doc->Add(obj);
            if (stage != nullptr)
                stage->AddComponent(*obj);
            PlaceDirectlyAbove(obj, group);
            obj->Invalidate();
            made.push_back(obj);
        }
        group->Invalidate();
        doc->Remove(group);
        group->ClosePropertyPanel();
        if (stage != nullptr) {
            stage->DeleteComponent(*group);
            stage->ForgetObject(*group);
        }
    }

    auto* record = new CUndoListRecord(m_view.GetUndoHistory().Ownership());
    for (std::size_t i = 0; i < lowestFirst.size(); ++i)
        record->AddRemoved(lowestFirst[i], neighbours[i]);
    // Redo runs from the last entry: the new objects are recorded lowest first, each with the
    // neighbour it has now, so the topmost is back first and every other finds its neighbour.
    std::sort(made.begin(), made.end(),
              [doc](const CDrawObj* a, const CDrawObj* b) { return IndexOf(*doc, a) < IndexOf(*doc, b); });
    for (CDrawObj* obj : made)
        record->AddObject(obj, true, doc);
    m_view.GetUndoHistory().Push(record);
    if (CBaseMovie* base = GetBaseMovie())
        base->SetModelChanged();
    doc->SetModifiedFlag();
    for (CDrawObj* obj : keep)
        m_view.Select(obj, true);
    for (auto it = made.rbegin(); it != made.rend(); ++it)
        m_view.Select(*it, true);
    doc->UpdateAllViews(nullptr);
    m_view.RefreshObjectBrowser();
}

// ---- cut, copy and paste ----

CCanvasClip* CLayoutCommands::Clip() const
{
    return static_cast<CCanvasClip*>(m_clipboard.Get(CCanvasClip::kFormat));
}

CCanvasClip& CLayoutCommands::NewClip()
{
    auto clip = std::make_unique<CCanvasClip>();
    CCanvasClip& made = *clip;
    m_clipboard.Set(CCanvasClip::kFormat, std::move(clip));
    return made;
}

bool CLayoutCommands::CanPaste() const
{
    const CCanvasClip* clip = Clip();
    return clip != nullptr && !clip->objects.empty();
}

void CLayoutCommands::Copy()
{
    CDrawDoc* doc = m_view.GetDocument();
    if (doc == nullptr || m_view.GetSelection().empty() || m_view.IsPreview())
        return;
    CCanvasClip& clip = NewClip();
    for (CDrawObj* obj : doc->GetObjects()) {
        if (m_view.IsSelected(obj))
            clip.objects.push_back(obj->Clone());
    }
    clip.fromCut = false;
}

void CLayoutCommands::Cut()
{
    if (m_view.GetSelection().empty() || m_view.IsPreview())
        return;
    Copy();
    m_view.OnEditClear();
    if (CCanvasClip* clip = Clip())
        clip->fromCut = true;
}

void CLayoutCommands::Paste()
{
    CDrawDoc* doc = m_view.GetDocument();
    CCanvasClip* clip = Clip();
    if (doc == nullptr || clip == nullptr || clip->objects.empty() || m_view.IsPreview())
        return;
    const bool single = m_view.GetSelection().size() == 1;
    m_view.Select(nullptr);
    CStageFlashCtrl* stage = doc->GetStage();
    const std::vector<CDrawObj*> pasted = std::move(clip->objects);
    clip->objects.clear();
    for (CDrawObj* obj : pasted) {
        CRect r = obj->m_position;
        r.OffsetRect(kPasteOffset, kPasteOffset);
        obj->m_position = r;
        doc->Add(obj);
        auto* component = AsComponent(obj);
        if (component != nullptr && !clip->fromCut) {
            // Copies are new components: they take the next names of their definitions.
            if (component->GetInstanceCount() == 1) {
                component->SetName(component->GetInstance(0)->MakeDisplayName());
            } else {
                for (int i = 0; i < component->GetInstanceCount(); ++i)
                    component->SetNameAt(static_cast<std::size_t>(i) + 1, component->GetInstance(i)->MakeDisplayName());
            }
        }
        if (component != nullptr && stage != nullptr)
            stage->AddComponent(*component);
        obj->SetBounds(r.left, r.top, r.right, r.bottom);
        if (component != nullptr && stage != nullptr)
            stage->MoveComponent(*component);
        obj->Invalidate();
        m_view.Select(obj, true);
        if (single && component != nullptr)
            component->FollowPropertyPanel();
    }
    // Redo runs from the last entry: recorded bottom first, each with the neighbour it has now.
    auto* record = new CUndoListRecord(m_view.GetUndoHistory().Ownership());
    for (CDrawObj* obj : pasted)
        record->AddObject(obj, true, doc);
    if (record->IsEmpty())
        delete record;
    else
        m_view.GetUndoHistory().Push(record);
    if (CBaseMovie* base = GetBaseMovie())
        base->SetModelChanged();
    doc->SetModifiedFlag();
    std::vector<CDrawObj*> shown = pasted;
    doc->UpdateAllViews(nullptr, 2, &shown);
    // The next Paste places copies of these a step further. Names cut from the canvas are kept
    // for one Paste only: later ones are copies and get names of their own.
    for (CDrawObj* obj : pasted)
        clip->objects.push_back(obj->Clone());
    clip->fromCut = false;
    m_view.RefreshObjectBrowser();
}

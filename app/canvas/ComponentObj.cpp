#include "app/canvas/ComponentObj.h"

#include <algorithm>
#include <cstdio>

#include "app/core/DesignerContext.h"
#include "app/stage/StageFlashCtrl.h"
#include "model/Component.h"
#include "model/ComponentDef.h"
#include "model/GlobalStyle.h"
#include "model/ParameterSet.h"
#include "publish/BaseMovie.h"

namespace {

CDesignerContext::Panels* Panels()
{
    CDesignerContext* context = CDesignerContext::Current();
    return context != nullptr ? &context->ObjectPanels() : nullptr;
}

// The panel showing; without a designer context, none ever shows.
IPropertiesPanel* CurrentPanel()
{
    CDesignerContext::Panels* panels = Panels();
    return panels != nullptr ? panels->current : nullptr;
}

void SetCurrentPanel(IPropertiesPanel* panel)
{
    if (CDesignerContext::Panels* panels = Panels())
        panels->current = panel;
}

std::unique_ptr<IPropertiesPanel> NewPanel()
{
    CDesignerContext::Panels* panels = Panels();
    if (panels != nullptr && panels->factory)
        return panels->factory();
    return std::make_unique<CCanvasPropertiesPanel>();
}

// What the pages need of a component object.
class ComponentPageOwner : public IPropertyOwner {
public:
    explicit ComponentPageOwner(CComponentObj& object) : m_object(object) {}

    void Refresh(int flag) override { m_object.Refresh(flag); }
    void MarkDocumentChanged() override
    {
        if (ICanvasDocument* doc = m_object.GetDocument())
            doc->MarkModified();
    }
    std::string GetTitleName() const override { return m_object.GetName(); }
    std::string GetComponentTypeName() const override { return m_object.GetTypeName(); }
    CPropertyMap* GetFirstPropertyMap() override
    {
        CComponent* first = m_object.GetInstance(0);
        return first != nullptr ? &first->GetPropertyMap() : nullptr;
    }
    int GetComponentCount() const override { return m_object.GetInstanceCount(); }

private:
    CComponentObj& m_object;
};

ComponentRect ToComponentRect(const CRect& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

std::string DefinitionLabel(const CComponent* instance)
{
    const CComponentDef* def = instance != nullptr ? instance->GetDefinition() : nullptr;
    return def != nullptr ? def->GetDisplayName() : std::string();
}

} // namespace

void CComponentObj::SetPanelFactory(PanelFactory factory)
{
    if (CDesignerContext::Panels* panels = Panels())
        panels->factory = std::move(factory);
}

IPropertiesPanel* CComponentObj::GetCurrentPanel()
{
    return CurrentPanel();
}

CComponentObj::CComponentObj() : m_panel(NewPanel()), m_names{""} {}

CComponentObj::CComponentObj(const CRect& position, CComponent* instance)
    : CComponentObj(position, instance, instance != nullptr ? instance->MakeDisplayName() : std::string())
{
}

CComponentObj::CComponentObj(const CRect& position, CComponent* instance, const std::string& name)
    : CDrawObj(position), m_panel(NewPanel()), m_bounds(position), m_names{name}
{
    if (instance != nullptr)
        m_instances.push_back(instance);
    TitlePanelFromInstances();
    int width = 1;
    int height = 1;
    if (instance != nullptr)
        instance->GetSize(width, height);
    SetNaturalSize(width, height);
}

CComponentObj::CComponentObj(const CRect& position, std::vector<CComponent*> instances, const std::string& name)
    : CDrawObj(position), m_instances(std::move(instances)), m_panel(NewPanel()), m_bounds(position), m_names{name}
{
    TitlePanelFromInstances();
    SetNaturalSize(position.Width(), position.Height());
}

CComponentObj::CComponentObj(const CRect& position, std::vector<CComponent*> instances,
                             std::vector<std::string> names)
    : CDrawObj(position), m_instances(std::move(instances)), m_panel(NewPanel()), m_bounds(position),
      m_names(std::move(names))
{
    if (m_names.empty())
        m_names.emplace_back();
    TitlePanelFromInstances();
    SetNaturalSize(position.Width(), position.Height());
}

CComponentObj::~CComponentObj()
{
    ClosePropertyPanel();
    if (m_bOwnsInstances) {
        for (CComponent* instance : m_instances)
            delete instance;
    }
}

void CComponentObj::TitlePanelFromInstances()
{
    if (m_instances.size() == 1)
        m_panel->SetTitle(DefinitionLabel(m_instances[0]));
}

IPropertyOwner& CComponentObj::PageOwner()
{
    if (m_pageOwner == nullptr)
        m_pageOwner = std::make_unique<ComponentPageOwner>(*this);
    return *m_pageOwner;
}

CStageFlashCtrl* CComponentObj::GetStage() const
{
    return m_pDocument != nullptr ? m_pDocument->GetStage() : nullptr;
}

CComponent* CComponentObj::GetInstance(int index) const
{
    if (index < 0 || index >= GetInstanceCount())
        return nullptr;
    return m_instances[static_cast<std::size_t>(index)];
}

void CComponentObj::SetStagePosition(const ComponentRect& rect)
{
    m_position = CRect(rect.left, rect.top, rect.right, rect.bottom);
    m_bounds = m_position;
}

void CComponentObj::UpdateBounds()
{
    m_bounds = m_position;
}

void CComponentObj::SetNaturalSize(int width, int height)
{
    // A group over an empty rectangle or a reply with an empty frame would otherwise leave a
    // ratio of infinity and divisions by zero in the aspect-keeping resize.
    m_nNaturalWidth = std::max(width, 1);
    m_nNaturalHeight = std::max(height, 1);
    m_fAspect = static_cast<float>(m_nNaturalHeight) / static_cast<float>(m_nNaturalWidth);
    m_fNegAspect = -m_fAspect;
}

// ---- names ----

void CComponentObj::SetName(const std::string& name)
{
    m_names[0] = name;
    if (CurrentPanel() == m_panel.get() && m_panel->IsSheetOpen())
        m_panel->SetTitle(name);
}

std::string CComponentObj::GetName() const
{
    return m_names[0];
}

std::string CComponentObj::GetNameAt(std::size_t index) const
{
    return index < m_names.size() ? m_names[index] : std::string();
}

void CComponentObj::SetNameAt(std::size_t index, const std::string& name)
{
    if (index < m_names.size())
        m_names[index] = name;
    else
        m_names.push_back(name);
}

std::string CComponentObj::MakeGroupName()
{
    CDesignerContext::Panels* panels = Panels();
    const int number = panels != nullptr ? ++panels->groupCounter : 1;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "Group %i", number);
    return buffer;
}

void CComponentObj::ResetGroupCounter()
{
    if (CDesignerContext::Panels* panels = Panels())
        panels->groupCounter = 0;
}

std::string CComponentObj::GetTypeName() const
{
    return m_instances.empty() ? std::string() : m_instances[0]->GetTypeName();
}

// ---- geometry ----

void CComponentObj::MoveTo(const CRect& position, const ICanvasMapping*)
{
    if (position == m_position)
        return;
    // The stage is not told here: the commands that move objects move them on the stage.
    Invalidate();
    m_position = position;
    Invalidate();
    SetDocumentModified();
}

void CComponentObj::SetBounds(int left, int top, int right, int bottom)
{
    const CRect rect(left, top, right, bottom);
    if (m_instances.size() == 1) {
        m_instances[0]->SetRect(ToComponentRect(rect));
    } else {
        // A group moves as a block; its members keep their own sizes.
        const int dx = left - m_bounds.left;
        const int dy = top - m_bounds.top;
        for (CComponent* instance : m_instances) {
            ComponentRect r = instance->GetRect();
            r.left += dx;
            r.right += dx;
            r.top += dy;
            r.bottom += dy;
            instance->SetRect(r);
        }
    }
    m_bounds = rect;
}

void CComponentObj::MoveHandleTo(int nHandle, CPoint point, const ICanvasMapping* pView, bool)
{
    CRect rect = m_position;
    TrackHandle(nHandle, point.x, point.y, rect, false, m_nNaturalWidth, m_nNaturalHeight);
    MoveTo(rect, pView);
}

void CComponentObj::TrackHandle(int nHandle, int x, int y, CRect& rect, bool bKeepAspect, int minWidth, int minHeight)
{
    if (m_instances.size() != 1)
        return;
    const CComponent& instance = *m_instances[0];
    int mode = instance.GetScalingMode();
    const bool corner = nHandle == 1 || nHandle == 3 || nHandle == 5 || nHandle == 7;
    if (bKeepAspect && corner)
        mode = 4;
    if (mode == 0 && rect.Width() != 0 && rect.Height() != 0)
        return;
    if (minWidth == 0)
        minWidth = static_cast<int>(instance.GetOriginX());
    if (minHeight == 0)
        minHeight = static_cast<int>(instance.GetOriginY());

    // Keep the minimum size measured from the edges that stay.
    const bool movesLeft = nHandle == 1 || nHandle == 7 || nHandle == 8;
    const bool movesRight = nHandle == 3 || nHandle == 4 || nHandle == 5;
    const bool movesTop = nHandle == 1 || nHandle == 2 || nHandle == 3;
    const bool movesBottom = nHandle == 5 || nHandle == 6 || nHandle == 7;
    if (movesLeft)
        x = std::min(x, rect.right - minWidth);
    if (movesRight)
        x = std::max(x, rect.left + minWidth);
    if (movesTop)
        y = std::min(y, rect.bottom - minHeight);
    if (movesBottom)
        y = std::max(y, rect.top + minHeight);

    if (mode != 4) {
        const bool heightFixed = mode == 1;
        const bool widthFixed = mode == 2;
        if (!widthFixed) {
            if (movesLeft)
                rect.left = x;
            if (movesRight)
                rect.right = x;
        }
        if (!heightFixed) {
            if (movesTop)
                rect.top = y;
            if (movesBottom)
                rect.bottom = y;
        }
        return;
    }

    // Keeping the aspect: edge handles act as the corner that shares their anchor.
    if (nHandle == 2 || nHandle == 8)
        nHandle = 1;
    else if (nHandle == 4 || nHandle == 6)
        nHandle = 5;
    if (m_bounds.Width() != 0 && m_bounds.Height() != 0)
        SetNaturalSize(m_bounds.Width(), m_bounds.Height());
    else
        SetNaturalSize(minWidth, minHeight);
    const long long nw = m_nNaturalWidth;
    const long long nh = m_nNaturalHeight;
    auto heightOf = [&](long long width) { return static_cast<int>(width * nh / nw); };
    auto widthOf = [&](long long height) { return static_cast<int>(height * nw / nh); };
    switch (nHandle) {
    case 5: { // anchor: left, top
        const double implied = (x - rect.left) * static_cast<double>(m_fAspect) + rect.top;
        if (y >= implied) {
            rect.right = x;
            rect.bottom = rect.top + heightOf(x - rect.left);
        } else {
            rect.bottom = y;
            rect.right = rect.left + widthOf(y - rect.top);
        }
        break;
    }
    case 1: { // anchor: right, bottom
        const double implied = (x - rect.right) * static_cast<double>(m_fAspect) + rect.bottom;
        if (y <= implied) {
            rect.left = x;
            rect.top = rect.bottom - heightOf(rect.right - x);
        } else {
            rect.top = y;
            rect.left = rect.right - widthOf(rect.bottom - y);
        }
        break;
    }
    case 3: { // anchor: left, bottom
        const double implied = (x - rect.left) * static_cast<double>(m_fNegAspect) + rect.bottom;
        if (y <= implied) {
            rect.right = x;
            rect.top = rect.bottom - heightOf(x - rect.left);
        } else {
            rect.top = y;
            rect.right = rect.left + widthOf(rect.bottom - y);
        }
        break;
    }
    case 7: { // anchor: right, top
        const double implied = (x - rect.right) * static_cast<double>(m_fNegAspect) + rect.top;
        if (y >= implied) {
            rect.left = x;
            rect.bottom = rect.top + heightOf(rect.right - x);
        } else {
            rect.bottom = y;
            rect.left = rect.right - widthOf(y - rect.top);
        }
        break;
    }
    default:
        break;
    }
}

// ---- stage and document ----

void CComponentObj::Refresh(int nFlag)
{
    if (nFlag == 0) {
        if (CStageFlashCtrl* stage = GetStage())
            stage->UpdateComponentObj(*this);
    } else if (m_pDocument != nullptr) {
        m_pDocument->RefreshStage(TRUE);
    }
    SetDocumentModified();
    Invalidate();
}

void CComponentObj::Remove()
{
    if (!m_instances.empty()) {
        if (CStageFlashCtrl* stage = GetStage())
            stage->DeleteComponent(*this);
        if (CBaseMovie* base = GetBaseMovie())
            base->SetModelChanged();
        Invalidate();
    }
    delete this;
}

CDrawObj* CComponentObj::Clone() const
{
    std::vector<CComponent*> copies;
    copies.reserve(m_instances.size());
    for (const CComponent* instance : m_instances) {
        std::unique_ptr<CComponent> copy = instance->CreateInstance();
        copy->SetRect(instance->GetRect());
        copies.push_back(copy.release());
    }
    CComponentObj* clone = nullptr;
    if (m_instances.size() > 1) {
        // A copied group is a new group: a fresh number, its members' names kept.
        std::vector<std::string> names{MakeGroupName()};
        for (std::size_t i = 1; i <= m_instances.size(); ++i)
            names.push_back(GetNameAt(i));
        clone = new CComponentObj(m_position, std::move(copies), std::move(names));
    } else {
        clone = new CComponentObj(m_position, std::move(copies), GetName());
    }
    clone->CopyAppearance(*this);
    return clone;
}

// ---- properties ----

bool CComponentObj::OpenPanelSwitch()
{
    IPropertiesPanel* mine = m_panel.get();
    IPropertiesPanel* current = CurrentPanel();
    if (current == mine) {
        if (mine->IsSheetOpen()) {
            // The command toggles this object's sheet.
            mine->CloseSheet();
            return false;
        }
    } else if (current != nullptr && current->IsSheetOpen()) {
        mine->SaveWindowRect(*current);
        current->CloseSheet();
    }
    SetCurrentPanel(mine);
    return true;
}

void CComponentObj::OnEditProperties()
{
    SetDocumentModified();
    if (m_instances.size() != 1)
        return;
    if (!OpenPanelSwitch())
        return;
    m_panel->ShowProperties(m_instances[0]->GetParameters(), PageOwner());
    Invalidate();
    SetDocumentModified();
}

void CComponentObj::FollowPropertyPanel()
{
    IPropertiesPanel* current = CurrentPanel();
    if (current != nullptr && current->IsSheetOpen() && current != m_panel.get())
        OnEditProperties();
}

void CComponentObj::ClosePropertyPanel()
{
    if (m_panel != nullptr && CurrentPanel() == m_panel.get()) {
        if (m_panel->IsSheetOpen())
            m_panel->CloseSheet();
        SetCurrentPanel(nullptr);
    }
}

void CComponentObj::ApplyGlobalStyle(const CGlobalStyle& style)
{
    if (style.useDefaultStyle != 0)
        return;
    for (CComponent* instance : m_instances) {
        if (CParameterSet* parameters = instance->GetParameters())
            parameters->ApplyGlobalStyle(style);
    }
}

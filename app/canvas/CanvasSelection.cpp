#include "app/canvas/CanvasSelection.h"

#include <algorithm>
#include <string>

#include "app/canvas/ComponentObj.h"

namespace {

const CComponentObj* AsOneInstance(const CDrawObj* obj)
{
    const auto* component = dynamic_cast<const CComponentObj*>(obj);
    return component != nullptr && component->GetInstanceCount() == 1 ? component : nullptr;
}

bool IsLineChart(const CComponentObj& component)
{
    return component.GetInstance(0)->HasTrait("line");
}

} // namespace

bool CCanvasSelection::Contains(const CDrawObj* obj) const
{
    return std::find(m_objects.begin(), m_objects.end(), obj) != m_objects.end();
}

bool CCanvasSelection::Add(CDrawObj* obj)
{
    const auto* component = dynamic_cast<const CComponentObj*>(obj);
    if (obj == nullptr || Contains(obj) || (component != nullptr && !component->m_bShown))
        return false;
    m_objects.push_back(obj);
    return true;
}

bool CCanvasSelection::Remove(const CDrawObj* obj)
{
    const auto it = std::find(m_objects.begin(), m_objects.end(), obj);
    if (it == m_objects.end())
        return false;
    m_objects.erase(it);
    return true;
}

void CCanvasSelection::SortBy(const std::vector<CDrawObj*>& order)
{
    std::vector<CDrawObj*> sorted;
    for (CDrawObj* obj : order) {
        if (Contains(obj))
            sorted.push_back(obj);
    }
    m_objects = std::move(sorted);
}

bool CCanvasSelection::IsOneKind() const
{
    if (m_objects.empty())
        return false;
    for (const CDrawObj* obj : m_objects) {
        if (AsOneInstance(obj) == nullptr)
            return false;
    }
    const CComponentObj& first = *AsOneInstance(m_objects.front());
    const bool lines = IsLineChart(first);
    const CComponentDef* firstDef = first.GetInstance(0)->GetDefinition();
    for (const CDrawObj* obj : m_objects) {
        const CComponentObj& component = *AsOneInstance(obj);
        if (lines ? !IsLineChart(component) : component.GetInstance(0)->GetDefinition() != firstDef)
            return false;
    }
    return true;
}

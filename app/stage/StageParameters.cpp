// The parameter tree: a component's parameter set written into the stage movie as numbered
// objects of its root (obj0 the set, obj1... the nested groups and lists, depth-first), each
// with a parallel object of one-letter type tags (obj0t, ...), so that the movie can rebuild the
// parameters before it places or measures the component.

#include "app/stage/StageFlashCtrl.h"

#include "model/CellBinding.h"
#include "model/ParameterSet.h"
#include "swf/VariablePath.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

// The components that need their value lists on the stage (they draw one part per value).
bool SendsAllValues(const CComponentBase& component)
{
    return component.HasTrait("stageValueLists");
}

bool IsListType(model::ParamType type)
{
    return type == model::ParamType::List || type == model::ParamType::CellList ||
           type == model::ParamType::CellTable;
}

// A cell binding stands for its bound value; a binding without one is sent as nothing bound.
const CParameter* Effective(const CParameter* parameter)
{
    if (parameter != nullptr && parameter->GetType() == model::ParamType::CellBinding) {
        const CCellBinding* binding = parameter->GetBinding();
        return binding != nullptr ? &binding->GetValue() : nullptr;
    }
    return parameter;
}

// On the stage a component always shows, unembedded, at once and without its value labels,
// whatever its parameters say: the canvas is where it is laid out, not played.
struct Override {
    std::string_view name, value, tag;
};
constexpr std::array<Override, 5> kStageOverrides{{
    {"embed", "0", ""},
    {"displayStatus", "1", "n"},
    {"displayKey", "1", "n"},
    {"introStyle", "None", ""},
    {"showValues", "0", ""},
}};

} // namespace

void CStageFlashCtrl::SendParameters(const CComponentBase& instance)
{
    const CParameterSet* set = instance.GetParameters();
    if (set == nullptr) {
        SetVar("_root.__numObjParams", "1");
        CallLabel("InitParams");
        SetVar("_root.obj0.__name", "params");
        SetVar("_root.obj0.__objType", "o");
        return;
    }
    m_sendAll = SendsAllValues(instance);
    m_objectCounter = 1;
    CountParameterObjects(*set);
    SetVar("_root.__numObjParams", std::to_string(m_objectCounter));
    CallLabel("InitParams");
    m_objectCounter = 0;
    CVariablePath path;
    path.AddName("params");
    SetComponentVariables(*set, path, static_cast<int>(model::ParamType::Group), m_objectCounter);
}

void CStageFlashCtrl::CountParameterObjects(const CParameterSet& set)
{
    for (int i = 0; i < std::min(set.GetCount(), kMaxStageMembers); ++i) {
        const CParameter* p = Effective(set.GetAt(i));
        if (p == nullptr)
            continue;
        if (!m_sendAll && (p->GetName() == "values" || p->GetName() == "sourceCells_ary"))
            continue;
        if (model::HasNestedSet(p->GetType()) && p->GetSet() != nullptr) {
            ++m_objectCounter;
            CountParameterObjects(*p->GetSet());
        }
    }
}

void CStageFlashCtrl::SetComponentVariables(const CParameterSet& set, CVariablePath& path, int kind,
                                            int& counter)
{
    const int n = counter;
    const std::string obj = "_root.obj" + std::to_string(n);
    const bool group = kind == static_cast<int>(model::ParamType::Group);
    SetVar(obj + ".__path", path.GetParentTextDotted());
    SetVar(obj + ".__name", path.GetLastText());
    if (group)
        SetVar(obj + ".__objType", "o");
    else
        SetVar(obj + ".__numItems", std::to_string(std::min(set.GetCount(), kMaxStageMembers)));

    const std::string member = group ? obj + "." : obj + ".p";
    const std::string tag = group ? obj + "t." : obj + "t.p";
    for (int i = 0; i < std::min(set.GetCount(), kMaxStageMembers); ++i) {
        const CParameter* p = Effective(set.GetAt(i));
        if (p == nullptr)
            continue;
        const std::string& name = p->GetName();
        if (!m_sendAll && (name == "values" || name == "sourceCells_ary"))
            continue;
        const model::ParamType type = p->GetType();
        if (model::HasNestedSet(type) && p->GetSet() != nullptr) {
            ++counter;
            path.AddName(name);
            if (type == model::ParamType::Group) {
                SetComponentVariables(*p->GetSet(), path, static_cast<int>(type), counter);
            } else {
                SetComponentVariables(*p->GetSet(), path, static_cast<int>(type), counter);
                SetVar(member + name, path.GetText());
                SetVar(tag + name, "o");
            }
            path.RemoveLast();
            continue;
        }
        if (IsListType(type) || type == model::ParamType::Group)
            continue; // a nested kind without its set has nothing to send
        std::string value = p->GetValueText();
        std::string code = p->GetTypeCode();
        if (group)
            for (const Override& o : kStageOverrides)
                if (name == o.name) {
                    value = o.value;
                    if (!o.tag.empty())
                        code = o.tag;
                }
        SetVar(member + name, value);
        SetVar(tag + name, code);
    }
}

#include "publish/StaticDataTable.h"

#include "model/CellBinding.h"
#include "model/Component.h"
#include "model/Parameter.h"
#include "model/ParameterKinds.h"
#include "model/ParameterSet.h"
#include "swf/ActionEmitter.h"

#include <string>

namespace {

constexpr const char* kTableName = "STATIC";
constexpr const char* kSeriesNames = "seriesNames";

bool IsStatic(const CParameter& parameter)
{
    const CCellBinding* binding = parameter.GetBinding();
    // A binding whose variable table is gone still holds the ids of that table; they would
    // fill the fields from unrelated variables.
    if (binding == nullptr || !binding->IsBound())
        return false;
    return binding->GetDirection() == model::kDirectionNone || parameter.GetName() == kSeriesNames;
}

} // namespace

void CStaticDataTable::Collect(std::span<CComponent* const> components)
{
    variableIds_.clear();
    paths_.clear();
    for (const CComponent* component : components) {
        const CParameterSet* parameters = component ? component->GetParameters() : nullptr;
        if (parameters == nullptr)
            continue;
        CVariablePath path;
        path.AddName(component->GetName());
        // The bindings sit in the component's groups; a field's path names the component and
        // the binding, not the groups, as the movie's component reads its parameters by their
        // own names.
        ForEachCellBinding(*parameters, [this, &path](CParameter& parameter) {
            if (IsStatic(parameter))
                CollectStaticPaths(parameter.GetBinding()->GetValue(), path);
        });
    }
}

void CStaticDataTable::CollectStaticPaths(const CParameter& parameter, CVariablePath& path)
{
    path.AddName(parameter.GetName());
    const CParameterSet* set = parameter.GetSet();
    if (model::IsIndexedList(parameter.GetType())) {
        for (int i = 0; set && i < set->GetCount(); ++i)
            CollectStaticPaths(*set->GetAt(i), path);
    } else if (parameter.GetVariableId() != -1) {
        AddStaticPath(parameter.GetVariableId(), path);
    }
    path.RemoveLast();
}

void CStaticDataTable::AddStaticPath(std::int32_t variableId, const CVariablePath& path)
{
    variableIds_.insert(variableId);
    paths_.emplace(variableId, path);
}

void CStaticDataTable::Emit(CActionList& actions) const
{
    using swf::ActionCode;
    swf::ActionEmitter emit(actions);
    emit.Str(kTableName).Int(0).Op(ActionCode::InitObject).Op(ActionCode::SetVariable);
    for (std::int32_t id : variableIds_) {
        emit.Get(kTableName).Str(std::to_string(id));
        auto [first, last] = paths_.equal_range(id);
        std::int32_t count = 0;
        for (auto entry = first; entry != last; ++entry, ++count) {
            // InitArray takes the value pushed last as element 0: the pair is [parent, field].
            emit.Str(entry->second.GetLastText()).Str(entry->second.GetParentText());
            emit.Int(2).Op(ActionCode::InitArray);
        }
        emit.Int(count).Op(ActionCode::InitArray).Op(ActionCode::SetMember);
    }
}

void ExportSeriesArrays(std::span<CComponent* const> components, CActionList& actions)
{
    CStaticDataTable table;
    table.Collect(components);
    table.Emit(actions);
}

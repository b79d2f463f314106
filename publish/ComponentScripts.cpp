#include "publish/ComponentScripts.h"

#include "model/BindingLink.h"
#include "model/ChartData.h"
#include "model/ParameterSet.h"
#include "swf/ActionEmitter.h"
#include "swf/Actions.h"

using swf::ActionCode;
using swf::ActionEmitter;

namespace {

// clip.method() as a statement.
void EmitMethodCall(CActionList& actions, const std::string& clip, const std::string& method)
{
    ActionEmitter(actions).Int(0).Get(clip).Str(method).Op(ActionCode::CallMethod).Op(ActionCode::Pop);
}

// clip.calcDirty = true.
void EmitMarkDirty(CActionList& actions, const std::string& clip)
{
    ActionEmitter(actions).Get(clip).Str("calcDirty").Bool(true).Op(ActionCode::SetMember);
}

// clip.<member> = function () { body }.
void EmitMemberFunction(CActionList& actions, const std::string& clip, const std::string& member,
                        std::unique_ptr<CActionDefineFunction> function)
{
    ActionEmitter(actions).Get(clip).Str(member);
    actions.Add(std::move(function));
    ActionEmitter(actions).Op(ActionCode::SetMember);
}

bool IsChart(const CComponent& component)
{
    // The chart type may stand in a group, as the chart data model finds it.
    const CParameterSet* parameters = component.GetParameters();
    return parameters && CChartData::IsChart(*parameters);
}

} // namespace

void EmitLinkStore(const CBindingLink& link, CActionList& actions)
{
    if (!link.CarriesValue())
        return;
    const std::string variable = link.GetModelVariableName();
    ActionEmitter(actions).Str(variable).Get("this");
    link.GetPath().EmitGet(actions, false);
    ActionEmitter(actions).Op(ActionCode::GetMember).Op(ActionCode::SetVariable);
    for (const CBindingLink* other : link.GetSameCellLinks()) {
        if (!other || other->GetPath().GetCount() == 0)
            continue;
        ActionEmitter(actions).Get(other->GetOwnerName());
        other->GetPath().EmitGet(actions, false);
        ActionEmitter(actions).Get(variable).Op(ActionCode::SetMember);
    }
}

void EmitLinkLoad(const CBindingLink& link, CActionList& actions)
{
    if (!link.CarriesValue())
        return;
    link.GetPath().EmitGet(actions, true);
    ActionEmitter(actions).Get("../:" + link.GetModelVariableName());
    link.GetPath().EmitSet(actions);
}

void CComponentScripts::BuildActionScript(CComponent& component, CActionList& actions)
{
    const std::string& name = component.GetName();
    EmitMethodCall(actions, name, "saveDefaults");
    EmitMethodCall(actions, name, "mc");

    std::vector<CBindingLink*> constants, formulas;
    component.SplitBindingLinks(constants, formulas);

    // Charts only show values; they write nothing back.
    if (!IsChart(component)) {
        auto update = CActionDefineFunction::CActionDefineFunctionEmpty();
        CActionList& body = update->GetBody();
        for (const CBindingLink* link : constants)
            if (link->GetSubKind() != 2)
                EmitLinkStore(*link, body);
        for (const std::string& other : component.GetSecondLinkNames())
            EmitMethodCall(body, other, "mc");
        for (const std::string& other : component.GetFirstLinkNames())
            EmitMarkDirty(body, other);
        EmitMarkDirty(body, "mgr");
        EmitMemberFunction(actions, name, "updateVars", std::move(update));
    }

    auto calc = CActionDefineFunction::CActionDefineFunctionEmpty();
    CActionList& body = calc->GetBody();
    ActionEmitter(body).Str(name).Op(ActionCode::SetTarget2);
    for (const CBindingLink* link : formulas)
        EmitLinkLoad(*link, body);
    body.Add(std::make_unique<CActionSetTarget>(""));
    EmitMemberFunction(actions, name, "updateCalc", std::move(calc));

    if (!formulas.empty())
        ActionEmitter(actions)
            .Get(name)
            .Int(1)
            .Get("mgr")
            .Str("addOutputComponent")
            .Op(ActionCode::CallMethod)
            .Op(ActionCode::Pop);
}

void CComponentScripts::EmitModelInitCall(CComponent& component, CActionList& actions)
{
    EmitMethodCall(actions, component.GetName(), "modelInit");
}

CComponentScripts& GetComponentScriptGenerator()
{
    // Stateless: one instance serves every build.
    static CComponentScripts generator;
    return generator;
}

#include "publish/ComponentScripts.h"

#include "model/BindingLink.h"
#include "model/ChartData.h"
#include "model/ParameterSet.h"
#include "swf/ActionEmitter.h"
#include "swf/Actions.h"

#include <string>
#include <vector>

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

// What one function body may hold of a component's links; the rest of a body (calls, marks)
// is small. The movie format bounds a body at 65535 bytes.
constexpr std::size_t kLinkBodyBytes = 60000;

// The links' actions, emit(link, list) each, in pieces that each fit one function body.
template <typename Emit> std::vector<CActionList> LinkPieces(const std::vector<const CBindingLink*>& links, Emit emit)
{
    std::vector<CActionList> pieces(1);
    std::size_t bytes = 0;
    for (const CBindingLink* link : links) {
        CActionList entry;
        emit(*link, entry);
        const std::size_t size = entry.ToBytes(false).size();
        if (bytes > 0 && bytes + size > kLinkBodyBytes) {
            pieces.emplace_back();
            bytes = 0;
        }
        pieces.back().Append(std::move(entry));
        bytes += size;
    }
    return pieces;
}

// Puts the pieces into body: the only piece as it is; several (a component bound to thousands
// of cells) each into a member function <member><n> of the clip, defined by a statement of its
// own in definitions, which body calls in order.
void EmitPieces(std::vector<CActionList>& definitions, CActionList& body, const std::string& clip,
                const std::string& member, std::vector<CActionList>&& pieces, const std::string& before = {},
                bool targetEach = false)
{
    if (pieces.size() == 1) {
        body.Append(std::move(pieces.front()));
        return;
    }
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        auto function = CActionDefineFunction::CActionDefineFunctionEmpty();
        CActionList& part = function->GetBody();
        if (targetEach)
            ActionEmitter(part).Str(before).Op(ActionCode::SetTarget2);
        part.Append(std::move(pieces[k]));
        if (targetEach)
            part.Add(std::make_unique<CActionSetTarget>(""));
        const std::string name = member + std::to_string(k + 1);
        EmitMemberFunction(definitions.emplace_back(), clip, name, std::move(function));
        EmitMethodCall(body, clip, name);
    }
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
    std::vector<CActionList> statements;
    BuildActionStatements(component, statements);
    for (CActionList& statement : statements)
        actions.Append(std::move(statement));
}

void CComponentScripts::BuildActionStatements(CComponent& component, std::vector<CActionList>& statements)
{
    const std::string& name = component.GetName();
    std::vector<CActionList> definitions;
    CActionList actions;
    EmitMethodCall(actions, name, "saveDefaults");
    EmitMethodCall(actions, name, "mc");

    std::vector<CBindingLink*> constants, formulas;
    component.SplitBindingLinks(constants, formulas);

    // Charts only show values; they write nothing back.
    if (!IsChart(component)) {
        auto update = CActionDefineFunction::CActionDefineFunctionEmpty();
        CActionList& body = update->GetBody();
        std::vector<const CBindingLink*> stored;
        for (const CBindingLink* link : constants)
            if (link->GetSubKind() != 2)
                stored.push_back(link);
        // Each piece reads the clip as `this`: it is called as the clip's method.
        EmitPieces(definitions, body, name, "kvUpdateVars",
                   LinkPieces(stored, [](const CBindingLink& link, CActionList& list) { EmitLinkStore(link, list); }));
        for (const std::string& other : component.GetSecondLinkNames())
            EmitMethodCall(body, other, "mc");
        for (const std::string& other : component.GetFirstLinkNames())
            EmitMarkDirty(body, other);
        EmitMarkDirty(body, "mgr");
        EmitMemberFunction(actions, name, "updateVars", std::move(update));
    }

    auto calc = CActionDefineFunction::CActionDefineFunctionEmpty();
    CActionList& body = calc->GetBody();
    std::vector<CActionList> loads =
        LinkPieces({formulas.begin(), formulas.end()},
                   [](const CBindingLink& link, CActionList& list) { EmitLinkLoad(link, list); });
    if (loads.size() == 1) {
        ActionEmitter(body).Str(name).Op(ActionCode::SetTarget2);
        body.Append(std::move(loads.front()));
        body.Add(std::make_unique<CActionSetTarget>(""));
    } else {
        // Each piece sets the target itself, as the loads' paths are relative to the clip.
        EmitPieces(definitions, body, name, "kvUpdateCalc", std::move(loads), name, true);
    }
    EmitMemberFunction(actions, name, "updateCalc", std::move(calc));

    if (!formulas.empty())
        ActionEmitter(actions)
            .Get(name)
            .Int(1)
            .Get("mgr")
            .Str("addOutputComponent")
            .Op(ActionCode::CallMethod)
            .Op(ActionCode::Pop);
    for (CActionList& definition : definitions)
        statements.push_back(std::move(definition));
    statements.push_back(std::move(actions));
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

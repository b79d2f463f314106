#pragma once

#include "model/Component.h"

class CActionList;
class CBindingLink;

// The lines of the first frame's script that tie each component clip to the model variables:
// the clip saves its defaults, gets "updateVars" (its inputs into the model) and "updateCalc"
// (calculated values into the clip), and, when it shows formulas, registers with the manager
// "mgr"; after every component's lines, one "modelInit" call per component.
class CComponentScripts : public IComponentScripts {
public:
    void BuildActionScript(CComponent& component, CActionList& actions) override;
    void BuildActionStatements(CComponent& component, std::vector<CActionList>& statements) override;
    void EmitModelInitCall(CComponent& component, CActionList& actions) override;
};

// The generator the publishing layer installs as the components' script service.
CComponentScripts& GetComponentScriptGenerator();

// "V"<id> = this.<path>, run as a method of the owner clip; then every other component bound
// to the same cell takes the new value. Nothing for a link without path or cell.
void EmitLinkStore(const CBindingLink& link, CActionList& actions);
// <path> = ../:V<id>, run with the owner clip as target. Nothing for a link without path or cell.
void EmitLinkLoad(const CBindingLink& link, CActionList& actions);

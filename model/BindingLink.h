#pragma once

#include "model/ParameterKinds.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "swf/VariablePath.h"

class CActionList;

// Ties a variable of a component clip to a model variable ("V" and the cell id). The binding
// that made it owns it; the relation lists only borrow other links.
class CBindingLink {
public:
    // path: the variable inside the owner clip.
    CBindingLink(CVariablePath path, std::int32_t cellId);

    // Low half: the link kind (1 constant cell, 2 formula cell); high half: the sub-kind.
    std::uint32_t GetKindWord() const { return kind_; }
    int GetKind() const { return static_cast<int>(kind_ & 0xFFFF); }
    void SetKind(int kind) { kind_ = (kind_ & 0xFFFF0000u) | (static_cast<std::uint32_t>(kind) & 0xFFFF); }
    int GetSubKind() const { return static_cast<int>(kind_ >> 16); }
    void SetSubKind(int subKind) { kind_ = (kind_ & 0xFFFF) | (static_cast<std::uint32_t>(subKind) << 16); }

    // At most 63 characters, as the clip names of the movie are.
    const std::string& GetOwnerName() const { return owner_; }
    void SetOwnerName(const std::string& name) { owner_ = name.substr(0, 63); }

    const CVariablePath& GetPath() const { return path_; }
    void SetPath(CVariablePath path) { path_ = std::move(path); }
    std::int32_t GetCellId() const { return cellId_; }
    void SetCellId(std::int32_t id) { cellId_ = id; }
    std::string GetModelVariableName() const { return "V" + std::to_string(cellId_); }
    // A link that names no variable of its clip or no cell would leave a value on the player's
    // stack or write "V-1": it carries nothing to copy.
    bool CarriesValue() const { return path_.GetCount() > 0 && cellId_ >= 0; }

    // A formula link that depends on this (constant) link's cell.
    void AddDependentLink(CBindingLink* link);
    // A link of another component bound to the same cell.
    void AddSameCellLink(CBindingLink* link);
    const std::vector<CBindingLink*>& GetDependentLinks() const { return dependents_; }
    const std::vector<CBindingLink*>& GetSameCellLinks() const { return sameCell_; }

    // Empties the relation lists but keeps their storage for the next compile.
    void ResetValues();
    // Empties them and gives their storage back.
    void FreeValues();

    // Appends the actions, run in the main timeline, that copy between the owner's variable
    // and the model variable: a constant link stores the clip's value into "V"<id> (the
    // component supplies that cell), a formula link stores "V"<id> into the clip.
    void EmitActions(CActionList& actions) const;

private:
    std::uint32_t kind_ = 0;
    std::string owner_;
    CVariablePath path_;
    std::int32_t cellId_ = -1;
    std::vector<CBindingLink*> dependents_;
    std::vector<CBindingLink*> sameCell_;
};

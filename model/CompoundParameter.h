#pragma once

#include "model/Parameter.h"

#include <memory>
#include <utility>
#include <vector>

// The parameter a multi-selection edits: setting its value sets its own and then that of every
// child (the same parameter of each other selected component). Children are borrowed.
class CCompoundParameter : public CParameter {
public:
    using CParameter::CParameter;
    // A compound copy of source: type, name, flags, range and value; members of nested sets,
    // the current value of a choice and the bound value of a cell binding become compound
    // copies too, so that children can be attached member by member.
    static std::unique_ptr<CCompoundParameter> MakeCopy(const CParameter& source);

    std::unique_ptr<CParameter> Clone(CParameterSet* owner = nullptr) const override;

    // Adds child; for nested kinds every member of child is added to this parameter's member
    // of the same name (members without a counterpart are left out); the current value of a
    // child choice and the bound value of a child binding follow this one's.
    void AddChild(CParameter* child);
    const std::vector<CParameter*>& GetChildren() const { return children_; }

    bool SetString(const std::string& text, bool force = false) override;
    bool SetDouble(double value, bool force = false) override;
    bool SetBool(bool value, bool force = false) override;
    bool SetInt(std::int32_t value, bool force = false) override;
    bool SetColor(std::uint32_t value, bool force = false) override;

private:
    std::vector<CParameter*> children_;
    // Set on the copy of a choice's current value, which takes texts as a choice does.
    bool choiceValue_ = false;
};

// The parameters a data query changed, each with a saved copy of its value before the change.
class CParameterValueList {
public:
    void Add(CParameter* target, std::unique_ptr<CParameter> saved);
    // Copies every saved value back into its target by the target's type (string, double,
    // boolean, integer; others skipped) and deletes the saved copies.
    void Apply();
    std::size_t GetCount() const { return entries_.size(); }

private:
    std::vector<std::pair<CParameter*, std::unique_ptr<CParameter>>> entries_;
};

#pragma once

#include "model/Parameter.h"

#include <memory>
#include <string>
#include <vector>

// The value of a choice parameter: a prototype that holds the current value (text or
// integer) and the allowed values in order.
class CValueList {
public:
    // A text choice unless integer is set.
    explicit CValueList(bool integer = false);
    CValueList(const CValueList& other);
    CValueList& operator=(const CValueList& other);
    ~CValueList();

    CParameter& GetPrototype() { return *prototype_; }
    const CParameter& GetPrototype() const { return *prototype_; }
    bool IsInteger() const { return prototype_->GetType() == model::ParamType::Integer; }
    // Replaces the prototype (a multi-selection puts a compound copy here); null is ignored.
    void SetPrototype(std::unique_ptr<CParameter> prototype);
    // Switches between text and integer choices; the current value is kept where it can be.
    void SetInteger(bool integer);

    std::string GetCurrentText() const { return prototype_->GetValueText(); }

    int GetCount() const { return static_cast<int>(allowed_.size()); }
    const std::string& GetAllowed(int index) const;
    void AddAllowed(const std::string& value) { allowed_.push_back(value); }
    void ClearAllowed() { allowed_.clear(); }
    const std::vector<std::string>& GetAllowedValues() const { return allowed_; }

private:
    std::unique_ptr<CParameter> prototype_;
    std::vector<std::string> allowed_;
};

namespace model {
// How a choice's current value takes a text: an integer choice parses it as its decimal value
// (refusing what is not one), a text choice stores it. Without force the type never changes.
bool StoreChoiceText(CParameter& prototype, const std::string& text, bool force);

// The prototype of a choice. Pages write the chosen text with SetString without retyping; an
// integer choice takes the text as its decimal value rather than refusing it.
class ChoicePrototype : public CParameter {
public:
    using CParameter::CParameter;
    std::unique_ptr<CParameter> Clone(CParameterSet* owner = nullptr) const override;
    bool SetString(const std::string& text, bool force = false) override;
};
} // namespace model

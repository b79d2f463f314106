#pragma once

#include "model/ParameterKinds.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace model {
class RangeHandle;
}
class CParameterSet;
class CValueList;
class CCellBinding;

// Range record of a numeric parameter.
struct ParamRange {
    double minimum = 0;
    double maximum = 0;
    double step = 0;
    bool operator==(const ParamRange&) const = default;
};

// A named, typed property value of a component. The value's shape follows the type code
// (model::ParamType); nested kinds own a CParameterSet, a choice owns a CValueList and a cell
// binding owns a CCellBinding.
class CParameter {
public:
    CParameter();
    CParameter(std::string name, model::ParamType type);
    // Deep copy: nested sets, value lists and bindings are copied; the owner is not.
    CParameter(const CParameter& other);
    CParameter& operator=(const CParameter& other);
    virtual ~CParameter();

    // A new deep copy that belongs to owner (which may be null); the caller keeps it.
    virtual std::unique_ptr<CParameter> Clone(CParameterSet* owner = nullptr) const;

    model::ParamType GetType() const { return type_; }
    // Retypes the parameter; the value becomes the new type's empty value.
    void SetType(model::ParamType type);

    const std::string& GetName() const { return name_; }
    // A cell binding's bound value and links carry the parameter's name and follow it.
    void SetName(const std::string& name);
    const std::string& GetLabel() const { return label_; }
    void SetLabel(const std::string& label) { label_ = label; }

    std::uint32_t GetFlags() const { return flags_; }
    void SetFlags(std::uint32_t flags) { flags_ = flags; }
    bool IsEnabled() const { return (flags_ & model::kFlagEnabled) != 0; }
    void SetEnabled(bool enabled);
    bool IsUndefined() const { return (flags_ & model::kFlagUndefined) != 0; }
    void SetUndefined(bool undefined = true);

    std::int32_t GetStyle() const { return style_; }
    void SetStyle(std::int32_t style) { style_ = style; }
    const std::optional<ParamRange>& GetRange() const { return range_; }
    void SetRange(const std::optional<ParamRange>& range) { range_ = range; }
    const std::optional<std::string>& GetFormat() const { return format_; }
    void SetFormat(const std::optional<std::string>& format) { format_ = format; }
    const std::optional<std::string>& GetEnabledText() const { return enabledText_; }
    void SetEnabledText(const std::optional<std::string>& text) { enabledText_ = text; }
    // Model variable id of an element read from cells, -1 for none.
    std::int32_t GetVariableId() const { return variableId_; }
    void SetVariableId(std::int32_t id) { variableId_ = id; }

    CParameterSet* GetOwner() const { return owner_; }
    void SetOwner(CParameterSet* owner) { owner_ = owner; }

    // Without force only a parameter of that type takes the value (strings: 0 and 11); with
    // force it is retyped first. True when the value was stored; storing clears "undefined".
    virtual bool SetString(const std::string& text, bool force = false);
    virtual bool SetDouble(double value, bool force = false);
    virtual bool SetBool(bool value, bool force = false);
    virtual bool SetInt(std::int32_t value, bool force = false);
    virtual bool SetColor(std::uint32_t value, bool force = false);

    // Typed reads; a parameter of another type gives the empty value.
    const std::string& GetString() const;
    double GetDouble() const;
    bool GetBool() const;
    std::int32_t GetInt() const;
    std::uint32_t GetColor() const;
    CParameterSet* GetSet() const { return set_.get(); }
    CValueList* GetValueList() const { return valueList_.get(); }
    CCellBinding* GetBinding() const { return binding_.get(); }

    // "undefined", strings as they are, doubles in 15 significant digits, "true"/"false",
    // decimal integers, colours as "0x" and six hexadecimal digits. A choice gives its current
    // text and a cell binding the text of its bound value.
    std::string GetValueText() const;
    char* GetValueText(char* buffer, std::size_t size) const;
    // "u", "s", "f", "b" or "i"; empty for the other types.
    std::string GetTypeCode() const;
    char* GetTypeCode(char* buffer, std::size_t size) const;

    // Element operations of the nested kinds (5, 7, 12, 13). Elements of index-addressed sets
    // are named by their decimal position, and positions are renumbered after every change.
    CParameter* InsertElementCopy(const CParameter& element, int index);
    CParameter* InsertTemplateElement(int index);
    bool RemoveElementAt(int index);
    void AppendCopiesFrom(const CParameter& other);
    void ClearElements();
    int GetElementCount() const;
    CParameter* GetElement(int index) const;
    // The element template of the nested set of kinds 5, 12 and 13, else null.
    const CParameter* GetGroupTemplate() const;

    // Only for cell bindings: the range becomes the binding's range and the bound value is
    // re-read; with no range the link is removed and the last values stay as constants.
    bool RefreshFromCells(const model::RangeHandle* range, bool flag);

protected:
    void ResetValue();
    bool Retype(model::ParamType type, bool force);

private:
    // The setters' common course: retype (or refuse), store, and the value is defined.
    template <class T> bool Store(model::ParamType type, T& field, T value, bool force);
    void CopyFrom(const CParameter& other);
    // Names the elements of an indexed list by their positions, from `from` on.
    void RenumberElements(int from);

    std::string name_;
    std::string label_;
    model::ParamType type_ = model::ParamType::Text;
    std::uint32_t flags_ = model::kFlagEnabled;
    std::int32_t style_ = 0;
    std::optional<ParamRange> range_;
    std::optional<std::string> format_;
    std::optional<std::string> enabledText_;
    std::int32_t variableId_ = -1;
    CParameterSet* owner_ = nullptr;

    std::string text_;
    double number_ = 0;
    bool boolean_ = false;
    std::int32_t integer_ = 0;
    std::uint32_t color_ = 0;
    std::unique_ptr<CParameterSet> set_;
    std::unique_ptr<CValueList> valueList_;
    std::unique_ptr<CCellBinding> binding_;
};

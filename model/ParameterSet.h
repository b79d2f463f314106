#pragma once

#include "model/Parameter.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CGlobalStyle;

// An ordered list of owned parameters with a page kind and a name (for a component: its
// groups). The element template seeds new elements of index-addressed lists.
class CParameterSet {
public:
    CParameterSet() = default;
    CParameterSet(const CParameterSet& other);
    CParameterSet& operator=(const CParameterSet& other);
    ~CParameterSet();

    const std::string& GetName() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    int GetPageKind() const { return pageKind_; }
    void SetPageKind(int kind) { pageKind_ = static_cast<std::uint8_t>(kind); }

    int GetCount() const { return static_cast<int>(items_.size()); }
    CParameter* GetAt(int index) const;
    // Appends (index -1 or past the end) or inserts; the set owns the parameter from then on.
    CParameter* Insert(std::unique_ptr<CParameter> parameter, int index = -1);
    CParameter* Add(std::unique_ptr<CParameter> parameter) { return Insert(std::move(parameter)); }
    std::unique_ptr<CParameter> Detach(int index);
    bool RemoveAt(int index) { return Detach(index) != nullptr; }
    // Deletes every parameter; the element template stays.
    void RemoveAll();

    // One level of in (or of this set when in is null), exact and case-sensitive, first match.
    CParameter* FindParameter(const std::string& name, const CParameterSet* in = nullptr) const;

    // A clone of the first element that is not a group (5 or 7), made on first use and kept
    // when the set is emptied; a template given explicitly wins.
    const CParameter* GetElementTemplate();
    const CParameter* PeekElementTemplate() const { return template_.get(); }
    void SetElementTemplate(std::unique_ptr<CParameter> element);

    // The global style's text formats and colours into the parameters of the set's groups,
    // chosen by the page kind of its "Appearance" group.
    void ApplyGlobalStyle(const CGlobalStyle& style);

private:
    std::string name_;
    std::uint8_t pageKind_ = model::kPageDefault;
    std::vector<std::unique_ptr<CParameter>> items_;
    std::unique_ptr<CParameter> template_;
};

// Calls visit for every cell-binding parameter that holds a binding, in the set and in the sets
// nested in it, in order. Nesting deeper than a document may hold is not entered.
void ForEachCellBinding(const CParameterSet& set, const std::function<void(CParameter&)>& visit);

#pragma once

#include <string>
#include <string_view>
#include <vector>

class CActionList;

// A dotted path to a movie variable (a.b.c, or a.3 for an array element), and the actions that
// read or store it.
class CVariablePath {
public:
    enum Kind { kName = 1, kIndex = 2 };

    struct Element {
        std::string text;
        int kind = kName;
    };

    // kind 2: an array index, pushed as the integer the text reads as.
    void AddName(std::string_view text, int kind = kName);
    void RemoveLast();
    size_t GetCount() const { return elements_.size(); }
    const std::vector<Element>& GetElements() const { return elements_; }

    // ".a.b.c"
    std::string GetText() const;
    // ".a.b" (empty for a one-element path)
    std::string GetParentTextDotted() const;
    // "a.b"
    std::string GetParentText() const;
    std::string GetLastText() const;

    // Leaves the object and the last name on the stack: each element but the last is pushed and
    // resolved, the first with GetVariable when firstIsVariable is set (else GetMember on an object
    // the caller pushed), the others with GetMember; then the last name is pushed.
    void EmitGet(CActionList& list, bool firstIsVariable) const;
    // Stores the value on top of the stack into what EmitGet left below it: SetVariable for one
    // element, SetMember for more, nothing for an empty path.
    void EmitSet(CActionList& list) const;

private:
    void EmitElement(CActionList& list, const Element& element) const;

    std::vector<Element> elements_;
};
